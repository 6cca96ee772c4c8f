#pragma once

#include <optional>

#include <QList>
#include <QString>
#include <QUrl>

// The prompters a networked display follows (vantell --follow HOST1,HOST2): the first that
// answers, and when it goes, the next one at once, round the list. Only once every one has been
// tried in vain since the last answer is there a wait before the next round.
class LeaderList {
public:
    explicit LeaderList(const QList<QUrl> &leaders = {}) : m_leaders(leaders) {}

    // "host1,host2:7800,[::1]:7755" as the control APIs' addresses (see leaderaddress); nothing
    // when one of them is no address or none is given.
    static std::optional<QList<QUrl>> parse(const QString &text, const QString &token = {});

    bool isEmpty() const { return m_leaders.isEmpty(); }
    qsizetype size() const { return m_leaders.size(); }
    const QList<QUrl> &leaders() const { return m_leaders; }
    // The one followed now, or tried next.
    QUrl current() const { return m_leaders.value(m_index); }
    // The one followed answers.
    void answered() { m_failedInRow = 0; }
    // The one followed went, or did not answer: the next one is the current one now. True when
    // every one has failed since the last answer, so that the next round waits.
    bool failed();

private:
    QList<QUrl> m_leaders;
    qsizetype m_index = 0;
    qsizetype m_failedInRow = 0;
};

#pragma once

#include <functional>

#include <QList>
#include <QString>

class QJsonObject;

// Commands a standby passed on to its prompter, waiting for the prompter's answer. Each is
// answered exactly once: by the prompter's reply to its id, or with an error when the prompter
// does not answer within answerLimitMs, the line is lost or the show is taken over.
class PendingAnswers {
public:
    // Told the answer: empty when the command was carried out, else why not.
    using Answer = std::function<void(const QString &error)>;

    static constexpr qint64 answerLimitMs = 1000;

    // Waits for the answer to a command sent at `now`; the id to send it with.
    QString add(Answer answer, qint64 now);
    // Answers the command sent with `id`; false when none such waits.
    bool answer(const QString &id, const QString &error);
    // The prompter's reply ({"type": "reply", "id", "ok", "error"}) answers the command it names;
    // false for a reply to no command waiting, or one that is not understood.
    bool answer(const QJsonObject &reply);
    // The commands waiting since before `now - answerLimitMs` are answered with `error`.
    void expire(qint64 now, const QString &error);
    // Every command waiting is answered with `error`.
    void failAll(const QString &error);
    int size() const { return int(m_waiting.size()); }

private:
    struct Waiting {
        QString id;
        qint64 sent = 0;
        Answer answer;
    };

    // Answered after they are taken out: an answer may send another command.
    static void tell(const QList<Waiting> &answered, const QString &error);

    QList<Waiting> m_waiting; // in the order sent
    int m_sent = 0;
};

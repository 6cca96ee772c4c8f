#pragma once

#include <optional>

#include <QObject>
#include <QStringList>
#include <QElapsedTimer>
#include <QTimer>
#include <QJsonObject>
#include <QUrl>
#include <QWebSocket>

#include "core/editlive/pageedit.h"
#include "core/remote/clockoffset.h"
#include "core/remote/promptersnapshot.h"
#include "core/remote/leaderlist.h"

// The script a leader shows, as its networked displays receive it.
struct LeaderScript {
    QStringList pagelines;
    int layoutWidth = 0; // the width the leader breaks its lines at; 0: unknown
    int generation = 0;
    int edits = 0; // the serial of the last edit made in place that the lines hold
};

// The script's own text as the leader holds it, for a standby that may have to carry the show on
// with it: its file's path, the edit its lines hold, and the lines, as written or as markup.
struct LeaderScriptText {
    QString path;
    int edits = 0;
    bool markup = false;
    QStringList lines;
};

// Where `vantell --follow HOST[:PORT]` finds its leader's control API: "host", "host:7755",
// "192.168.1.20", "[::1]:7800". Nothing for a text that is no such address.
std::optional<QUrl> leaderaddress(const QString &text, const QString &token = {});

// A networked talent display's line to the prompter it follows: it subscribes to the script and
// the state over the control API's WebSocket, estimates how far the leader's clock runs from
// ours (round trips, every second), tells each state with its time on our clock, and connects
// again whenever the line is lost: to the next of its leaders at once, and after a wait once
// every one has been tried in vain.
class FollowerLink : public QObject {
    Q_OBJECT
public:
    static constexpr int pingIntervalMs = 1000;
    static constexpr int retryIntervalMs = 2000;
    // A leader silent this long (its pongs answer every ping) is taken as gone.
    static constexpr int silenceLimitMs = 3 * pingIntervalMs;
    // A script is at most what the control API accepts, with room for its markup.
    static constexpr qint64 maxMessageBytes = 64 * 1024 * 1024;

    explicit FollowerLink(QObject *parent = nullptr);
    ~FollowerLink() override;

    // Pings (and so the leader's pongs) every `ms`: a standby's heartbeat is faster than a display's.
    void setPingInterval(int ms) { m_pings.setInterval(ms); }
    void follow(const QUrl &address) { follow(QList<QUrl>{address}); }
    // Follows the first of `leaders` that answers, and the next one whenever it goes.
    void follow(const QList<QUrl> &leaders);
    // Asks for the leader's script again (a display that missed an edit of it).
    void askForScript();
    // Asks for the script's own text too, after its page and after each edit (a standby).
    void setWantsScriptText(bool wanted) { m_wantsText = wanted; }
    bool isConnected() const { return m_connected; }
    // Sends `message` to the leader; false while there is no line.
    bool send(const QJsonObject &message);
    // The leader followed now, or tried next.
    QUrl leader() const { return m_leaders.current(); }
    const ClockOffset &clockOffset() const { return m_offset; }

signals:
    void scriptReceived(const LeaderScript &script);
    void scriptTextReceived(const LeaderScriptText &text);
    // The leader's page was edited in place.
    void editReceived(const PageEdit &edit);
    // The leader's state; its `time` is on our clock (QDateTime's milliseconds since the epoch).
    void stateReceived(const PrompterSnapshot &state);
    // The leader's answer to a command sent.
    void replyReceived(const QJsonObject &reply);
    // The leader said anything at all: it is alive.
    void heard();
    // Connected, or the line was lost (with why); a lost line is tried again by itself.
    void connectionChanged(bool connected, const QString &why);

private:
    void open();
    void opened();
    void closed();
    void received(const QString &text);
    void ping();

    QWebSocket m_socket;
    QTimer m_pings;
    QTimer m_retry;
    LeaderList m_leaders;
    ClockOffset m_offset;
    QElapsedTimer m_lastHeard; // since the leader last said anything, while connected
    bool m_connected = false;
    bool m_wantsText = false;
};

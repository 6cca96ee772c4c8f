#pragma once

#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>

#include "core/remote/failedattempts.h"
#include "core/remote/remotecommand.h"
#include "core/remote/remotehttpserver.h"
#include "core/remote/statethrottle.h"

class QJsonObject;
struct PageEdit;
struct ScriptCopy;
class QWebSocket;
class RemoteTarget;

// How the control API is offered.
struct RemoteServerSettings {
    quint16 port = 7755;
    // Off: only programs on this computer reach it (127.0.0.1), and they need no token. On: it
    // listens on every network of this computer, and every request must show the token.
    bool allowNetwork = false;
    QString token;
};

// The control API over HTTP and WebSocket: commands in, the prompter's state out.
//
// HTTP: GET / (the phone remote), GET /api/state, GET /api/commands, GET /api/paragraphs (the
// script's paragraphs as plain text), POST /api/command with a JSON command, POST /api/script with
// {"name", "text"}, POST /api/edit with {"paragraph", "text"} (one paragraph corrected live).
// WebSocket (any path): JSON commands, each answered (with the id it came with); the state is pushed on every
// change, at most 30 times a second, and the paragraphs an edit changed as it is made; {"type": "ping"} is
// answered with the server's clock for networked displays, and {"type": "follow"} subscribes to
// the script's page and its edits (with "scriptText": true, to the script's own text too: a
// standby's, which takes the show over with it); {"type": "led-by", "port": N} says that the peer has taken
// the show over, its control API on port N. With the network allowed, a request shows the token as
// "Authorization: Bearer TOKEN" or as the query item "token"; wrong tokens are refused, and a peer that keeps
// trying is refused for a while.
class RemoteServer : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 maxCommandBytes = 1024 * 1024;
    static constexpr qint64 maxScriptBytes = 21 * 1024 * 1024;

    explicit RemoteServer(RemoteTarget &target, QObject *parent = nullptr);
    ~RemoteServer() override;

    // Starts listening; false (with errorString()) when the port cannot be had.
    bool start(const RemoteServerSettings &settings);
    void stop();
    bool isListening() const;
    quint16 port() const;
    QString errorString() const { return m_error; }
    // Admits peers showing `token` too, from now on and across restarts: a standby that took the
    // show over admits the controls and the returning prompter that held its prompter's token.
    void alsoAccept(const QString &token) { m_alsoAccepted = token; }
    int clientCount() const { return static_cast<int>(m_clients.size()); }

public slots:
    // The prompter's state has changed: the peers hear of it.
    void stateChanged();
    // The prompter shows a new page: the networked displays get it.
    void scriptChanged();
    // The prompter's page was edited in place: the networked displays make the same edit.
    void scriptEdited(const PageEdit &edit);
    // Paragraphs of the script changed (as they are counted now; the script has `count`): every
    // peer hears which.
    void paragraphsChanged(const QList<int> &changed, int count);

signals:
    // A peer was refused: a wrong token, a peer locked out, a request too large.
    void refused(const QString &peer, const QString &reason);
    // A peer leads the show now (a standby that took it over from this prompter): its control
    // API is on `port` of `host`.
    void ledElsewhere(const QString &host, quint16 port);

private:
    struct Client;

    std::optional<HttpReply> answer(const QHttpServerRequest &request,
                                    const RemoteHttpServer::Respond &respond);
    // Answered when the command's answer comes: a standby's, from its prompter, later.
    void perform(const ParsedCommand &parsed, const RemoteHttpServer::Respond &respond);
    HttpReply paragraphs();
    HttpReply edit(const QByteArray &body);
    bool admitted(const QHostAddress &peer, const QString &offered, QString *why);
    bool hostAllowed(const QByteArray &host) const;
    bool originAllowed(const QByteArray &origin, const QByteArray &host) const;
    void acceptWebSockets();
    void onMessage(Client *client, const QString &message);
    void send(Client *client, const QJsonObject &message);
    void pushState();
    void sendScript(Client *client);
    void sendScriptText(Client *client, const ScriptCopy &script);
    qint64 now() const { return m_clock.elapsed(); }

    RemoteTarget &m_target;
    std::unique_ptr<RemoteHttpServer> m_http;
    RemoteServerSettings m_settings;
    QString m_alsoAccepted;
    QString m_error;
    QList<Client *> m_clients;
    FailedAttempts m_failures;
    StateThrottle m_throttle;
    QTimer m_pushTimer;
    QElapsedTimer m_clock;
};

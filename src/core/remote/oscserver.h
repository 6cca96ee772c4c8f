#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <QUdpSocket>

#include "core/remote/failedattempts.h"
#include "core/remote/oscpacket.h"
#include "core/remote/promptersnapshot.h"
#include "core/remote/statethrottle.h"

class RemoteTarget;

// How the OSC port is offered: as the control API is (see RemoteServerSettings).
struct OscServerSettings {
    quint16 port = 7756;
    bool allowNetwork = false;
    QString token;
};

// The control API over OSC (UDP), for show-control surfaces: each command message is carried
// out and answered to its sender ("/vantell/ok COMMAND" or "/vantell/error COMMAND WHY"), a
// standby's when its prompter answers;
// "/vantell/subscribe [PORT]" has the state sent to the sender's address (at PORT, else the port
// it sent from) on every change, at most 30 times a second, each value on its own address.
// With the network allowed, a sender first shows the token ("/vantell/token TOKEN"), which
// admits its address until the server stops; wrong tokens count as with the control API.
class OscServer : public QObject {
    Q_OBJECT
public:
    static constexpr int maxSubscribers = 32;

    explicit OscServer(RemoteTarget &target, QObject *parent = nullptr);

    // Starts listening; false (with errorString()) when the port cannot be had.
    bool start(const OscServerSettings &settings);
    void stop();
    bool isListening() const { return m_socket.state() == QAbstractSocket::BoundState; }
    quint16 port() const { return m_socket.localPort(); }
    QString errorString() const { return m_error; }
    // Admits peers showing `token` too, from now on and across restarts: a standby that took the
    // show over admits the controls and the returning prompter that held its prompter's token.
    void alsoAccept(const QString &token) { m_alsoAccepted = token; }
    int subscriberCount() const { return static_cast<int>(m_subscribers.size()); }

public slots:
    // The prompter's state has changed: the subscribers hear of it.
    void stateChanged();

signals:
    // A sender was refused: no token shown, a wrong one, or locked out.
    void refused(const QString &peer, const QString &reason);

private:
    struct Subscriber {
        QHostAddress address;
        quint16 port = 0;
        std::optional<PrompterSnapshot> told; // what it was last sent
    };

    void readDatagrams();
    void handle(const OscMessage &message, const QHostAddress &sender, quint16 port);
    bool admitted(const QHostAddress &sender, const OscMessage &message);
    void subscribe(const QHostAddress &sender, quint16 port, const OscMessage &message);
    void send(const QHostAddress &address, quint16 port, const OscMessage &message);
    void pushState();
    qint64 now() const { return m_clock.elapsed(); }

    RemoteTarget &m_target;
    QUdpSocket m_socket;
    OscServerSettings m_settings;
    QString m_alsoAccepted;
    QString m_error;
    QSet<QString> m_admitted; // senders that have shown the token
    QList<Subscriber> m_subscribers;
    FailedAttempts m_failures;
    StateThrottle m_throttle;
    QTimer m_pushTimer;
    QElapsedTimer m_clock;
};

#include "core/remote/oscserver.h"

#include <QNetworkDatagram>
#include <QPointer>

#include "core/remote/accesstoken.h"
#include "core/remote/osccommand.h"
#include "core/remote/remotetarget.h"

OscServer::OscServer(RemoteTarget &target, QObject *parent) : QObject(parent), m_target(target)
{
    m_clock.start();
    m_pushTimer.setSingleShot(true);
    connect(&m_pushTimer, &QTimer::timeout, this, &OscServer::pushState);
    connect(&m_socket, &QUdpSocket::readyRead, this, &OscServer::readDatagrams);
}

bool OscServer::start(const OscServerSettings &settings)
{
    stop();
    m_settings = settings;
    const QHostAddress address = settings.allowNetwork ? QHostAddress::Any : QHostAddress::LocalHost;
    if (!m_socket.bind(address, settings.port)) {
        m_error = m_socket.errorString();
        return false;
    }
    m_error.clear();
    return true;
}

void OscServer::stop()
{
    m_socket.close();
    m_pushTimer.stop();
    m_subscribers.clear();
    m_admitted.clear();
}

void OscServer::readDatagrams()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram(maxOscDatagram + 1);
        if (!datagram.isValid())
            continue;
        const QHostAddress sender = datagram.senderAddress();
        const quint16 port = quint16(datagram.senderPort());
        const std::optional<OscMessage> message = readoscmessage(datagram.data());
        if (!message) {
            // A surface that sends what nobody reads should hear of it, unless it is a stranger.
            if (admitted(sender, OscMessage{}))
                send(sender, port, OscMessage{osc::error, {QString(), QStringLiteral("not an OSC message")}});
            continue;
        }
        handle(*message, sender, port);
    }
}

bool OscServer::admitted(const QHostAddress &sender, const OscMessage &message)
{
    if (!m_settings.allowNetwork)
        return sender.isLoopback();
    const QString name = sender.toString();
    if (m_admitted.contains(name))
        return true;
    if (message.path != osc::token)
        return false;
    if (!m_failures.allowed(name, now())) {
        emit refused(name, QStringLiteral("too many wrong tokens"));
        return false;
    }
    const QString offered = message.arguments.value(0).toString();
    if (!tokenaccepted(offered, m_settings.token, m_alsoAccepted)) {
        m_failures.failed(name, now());
        emit refused(name, QStringLiteral("wrong token"));
        return false;
    }
    m_failures.succeeded(name);
    m_admitted.insert(name);
    return true;
}

void OscServer::handle(const OscMessage &message, const QHostAddress &sender, quint16 port)
{
    if (!admitted(sender, message)) {
        // Nothing is told to a sender without the token: only that it needs one.
        if (m_settings.allowNetwork && m_failures.allowed(sender.toString(), now()))
            send(sender, port,
                 OscMessage{osc::error, {message.path, QStringLiteral("show the token first")}});
        return;
    }
    if (message.path == osc::token) {
        send(sender, port, OscMessage{osc::ok, {QStringLiteral("token")}});
        return;
    }
    if (message.path == osc::subscribe) {
        subscribe(sender, port, message);
        return;
    }
    if (message.path == osc::unsubscribe) {
        m_subscribers.removeIf([&](const Subscriber &s) { return s.address == sender; });
        send(sender, port, OscMessage{osc::ok, {QStringLiteral("unsubscribe")}});
        return;
    }
    const QString name = message.path.mid(osc::prefix.size());
    const ParsedCommand parsed = osccommand(message);
    if (!parsed.command) {
        if (!parsed.error.isEmpty())
            send(sender, port, OscMessage{osc::error, {name, parsed.error}});
        return;
    }
    // The server may be stopped or gone when a late answer comes.
    const QPointer<OscServer> self(this);
    m_target.performAnswering(*parsed.command, [self, sender, port, name](const QString &failure) {
        if (!self || !self->isListening())
            return;
        if (failure.isEmpty())
            self->send(sender, port, OscMessage{osc::ok, {name}});
        else
            self->send(sender, port, OscMessage{osc::error, {name, failure}});
    });
}

void OscServer::subscribe(const QHostAddress &sender, quint16 port, const OscMessage &message)
{
    const QVariant wanted = message.arguments.value(0);
    quint16 replyPort = port;
    if (wanted.isValid()) {
        const int asked = wanted.toInt();
        if (wanted.typeId() != QMetaType::Int || asked < 1 || asked > 65535) {
            send(sender, port,
                 OscMessage{osc::error,
                            {QStringLiteral("subscribe"),
                             QStringLiteral("the port is a whole number from 1 to 65535")}});
            return;
        }
        replyPort = quint16(asked);
    }
    m_subscribers.removeIf([&](const Subscriber &s) { return s.address == sender && s.port == replyPort; });
    if (m_subscribers.size() >= maxSubscribers) {
        send(sender, port,
             OscMessage{osc::error, {QStringLiteral("subscribe"), QStringLiteral("too many subscribers")}});
        return;
    }
    send(sender, port, OscMessage{osc::ok, {QStringLiteral("subscribe")}});
    Subscriber subscriber{sender, replyPort, std::nullopt};
    const PrompterSnapshot state = m_target.snapshot();
    for (const OscMessage &value : oscstate(state))
        send(sender, replyPort, value);
    subscriber.told = state;
    m_subscribers.append(subscriber);
}

void OscServer::send(const QHostAddress &address, quint16 port, const OscMessage &message)
{
    m_socket.writeDatagram(oscdatagram(message), address, port);
}

void OscServer::stateChanged()
{
    if (m_subscribers.isEmpty() || m_pushTimer.isActive())
        return;
    const qint64 wait = m_throttle.wait(now());
    if (wait == 0)
        pushState();
    else
        m_pushTimer.start(static_cast<int>(wait));
}

void OscServer::pushState()
{
    m_throttle.sent(now());
    const PrompterSnapshot state = m_target.snapshot();
    for (Subscriber &subscriber : m_subscribers) {
        for (const OscMessage &value : oscstate(state, subscriber.told ? &*subscriber.told : nullptr))
            send(subscriber.address, subscriber.port, value);
        subscriber.told = state;
    }
}

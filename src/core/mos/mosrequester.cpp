#include "core/mos/mosrequester.h"

#include <QTcpSocket>

#include "core/mos/mosdevice.h"
#include "core/mos/mosmessage.h"
#include "core/mos/mosreplies.h"

MosRequester::MosRequester(MosDevice *device, QObject *parent) : QObject(parent), m_device(device)
{
    m_silence.setSingleShot(true);
    m_silence.setInterval(answerTimeoutMs);
    connect(&m_silence, &QTimer::timeout, this,
            [this] { finish(QStringLiteral("no answer within %1 s").arg(answerTimeoutMs / 1000)); });
}

void MosRequester::ask(const QHostAddress &address, quint16 port, const QString &ncsId)
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
    }
    m_framer = MosFramer();
    m_peer = address;
    m_ncsId = ncsId;
    m_waiting.clear();
    m_restored = 0;
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        send(mosroreqall(
            MosEnvelope{m_device->admission().deviceId(), m_ncsId, QString::number(++m_messageId)}));
    });
    connect(m_socket, &QTcpSocket::readyRead, this, &MosRequester::received);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] { finish(m_socket->errorString()); });
    m_silence.start();
    m_socket->connectToHost(address, port);
}

void MosRequester::send(const QString &message)
{
    m_socket->write(mosencode(message));
    m_silence.start();
}

void MosRequester::received()
{
    m_framer.feed(m_socket->readAll());
    if (m_framer.state() != MosFramer::State::Reading) {
        finish(QStringLiteral("the newsroom's answer cannot be read"));
        return;
    }
    while (const std::optional<QString> text = m_framer.next()) {
        const MosParseResult parsed = parsemosmessage(*text);
        const MosMessage &message = parsed.message;
        if (parsed.error.isEmpty() && message.kind == MosMessage::Kind::ListAll) {
            m_waiting = message.roIds;
        } else if (parsed.error.isEmpty() && message.kind == MosMessage::Kind::List) {
            const QString error = m_device->takeRunningOrder(*text, m_peer);
            if (!error.isEmpty()) {
                finish(error);
                return;
            }
            ++m_restored;
        } else if (parsed.error.isEmpty() && message.kind == MosMessage::Kind::Heartbeat) {
            continue;
        } else {
            // A refusal (roAck, mosAck) or anything else: the newsroom does not give its running
            // orders.
            finish(parsed.error.isEmpty() ? QStringLiteral("the newsroom answered <%1>").arg(message.type)
                                          : parsed.error);
            return;
        }
        if (m_waiting.isEmpty()) {
            finish(QString());
            return;
        }
        send(mosroreq(MosEnvelope{m_device->admission().deviceId(), m_ncsId, QString::number(++m_messageId)},
                      m_waiting.takeFirst()));
    }
}

void MosRequester::finish(const QString &error)
{
    m_silence.stop();
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->disconnectFromHost();
    m_socket->deleteLater();
    m_socket = nullptr;
    emit finished(m_restored, error);
}

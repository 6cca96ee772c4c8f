#include "core/mos/mosconnection.h"

#include <QScopedValueRollback>
#include <QTcpSocket>
#include <QTimer>

#include "core/mos/mosdevice.h"
#include "core/mos/mosreplies.h"

MosConnection::MosConnection(QTcpSocket *socket, MosDevice *device, QObject *parent)
    : QObject(parent), m_socket(socket), m_peer(socket->peerAddress()), m_device(device)
{
    m_socket->setParent(this);
    // Qt reads no further ahead than this; the rest waits in the network, with the peer.
    m_socket->setReadBufferSize(4 * readChunk);
    m_socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    // Each answer is awaited before the next message is sent: it goes out at once.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_lastActivity.start();
    connect(m_socket, &QTcpSocket::readyRead, this, &MosConnection::schedule);
    connect(m_socket, &QTcpSocket::disconnected, this, [this] {
        // Whatever part of a message has arrived is dropped with the connection: it was never
        // applied.
        m_closing = true;
        emit closed();
        deleteLater();
    });
    schedule();
}

void MosConnection::abort()
{
    m_socket->abort();
}

void MosConnection::schedule()
{
    if (m_scheduled || m_closing)
        return;
    m_scheduled = true;
    QTimer::singleShot(0, this, &MosConnection::work);
}

void MosConnection::work()
{
    m_scheduled = false;
    if (m_closing)
        return;
    // A message whose handling opens a window of its own runs the event loop meanwhile: the next
    // messages wait until it is answered, so that answers leave in the order of their messages.
    if (m_working) {
        m_workWaiting = true;
        return;
    }
    {
        const QScopedValueRollback working(m_working, true);
        m_workWaiting = false;
        workSome();
    }
    if (m_workWaiting)
        schedule();
}

void MosConnection::workSome()
{
    QElapsedTimer turn;
    turn.start();
    int handled = 0;
    while (handled < messagesPerTurn && turn.elapsed() < millisecondsPerTurn) {
        if (std::optional<QString> message = m_framer.next()) {
            const QString reply = m_device->answer(*message, m_peer);
            if (!reply.isEmpty())
                send(reply);
            if (m_closing)
                return;
            ++handled;
            continue;
        }
        if (m_framer.state() == MosFramer::State::TooLarge) {
            refuseStream(QStringLiteral("a message is larger than %1 bytes").arg(MosFramer::defaultLimit));
            return;
        }
        if (m_framer.state() == MosFramer::State::WrongEncoding) {
            refuseStream(QStringLiteral("messages must be encoded as UTF-16 big-endian"));
            return;
        }
        const QByteArray bytes = m_socket->read(readChunk);
        if (bytes.isEmpty())
            return;
        m_lastActivity.start();
        m_framer.feed(bytes);
    }
    // More to do: the rest of the program gets its turn first.
    schedule();
}

void MosConnection::send(const QString &message)
{
    m_socket->write(mosencode(message));
    if (m_socket->bytesToWrite() > maxUnsent) {
        m_closing = true;
        m_socket->abort();
    }
}

void MosConnection::refuseStream(const QString &reason)
{
    m_closing = true;
    m_socket->write(mosencode(m_device->refuseStream(reason)));
    m_socket->disconnectFromHost();
    // A peer that takes not even this answer is cut off.
    QTimer::singleShot(closeTimeoutMs, m_socket, &QTcpSocket::abort);
}

#include "core/remote/boundedtcpserver.h"

#include <memory>

#include <QTcpSocket>

void BoundedTcpServer::incomingConnection(qintptr descriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    // Connected before the server that reads the socket, so it counts the bytes before they are
    // taken.
    // Shared by the two handlers and gone with them.
    auto received = std::make_shared<qint64>(0);
    connect(socket, &QTcpSocket::bytesWritten, socket, [received](qint64) { *received = 0; });
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
        // The reader takes everything each time, so what is there now has just come.
        *received += socket->bytesAvailable();
        if (*received > m_limit) {
            emit overflowed(socket->peerAddress().toString());
            socket->abort();
        }
    });
    addPendingConnection(socket);
}

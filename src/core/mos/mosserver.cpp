#include "core/mos/mosserver.h"

#include <algorithm>

#include <QTcpSocket>

#include "core/mos/mosconnection.h"
#include "core/mos/mosdevice.h"

MosServer::MosServer(MosDevice *device, QObject *parent) : QObject(parent), m_device(device)
{
    connect(&m_lower, &QTcpServer::newConnection, this, [this] { accept(&m_lower); });
    connect(&m_upper, &QTcpServer::newConnection, this, [this] { accept(&m_upper); });
    connect(m_device, &MosDevice::admissionChanged, this, &MosServer::closeNotAdmitted);
}

MosServer::~MosServer()
{
    close();
}

std::optional<QString> MosServer::listen(const QHostAddress &address, quint16 lowerPort, quint16 upperPort)
{
    close();
    for (auto [server, port] : {std::pair{&m_lower, lowerPort}, std::pair{&m_upper, upperPort}}) {
        if (!server->listen(address, port)) {
            const QString reason = QStringLiteral("%1 (port %2)").arg(server->errorString()).arg(port);
            close();
            return reason;
        }
    }
    return std::nullopt;
}

void MosServer::close()
{
    m_lower.close();
    m_upper.close();
    const QList<MosConnection *> open = m_connections;
    m_connections.clear();
    for (MosConnection *connection : open) {
        disconnect(connection, nullptr, this, nullptr);
        connection->abort();
        delete connection;
    }
    if (!open.isEmpty())
        emit connectionsChanged(0);
}

void MosServer::accept(QTcpServer *server)
{
    while (QTcpSocket *socket = server->nextPendingConnection()) {
        // Taken here, as the connection is announced: nothing has been read from it yet.
        const QHostAddress peer = socket->peerAddress();
        if (!m_device->admission().admitsAddress(peer)) {
            socket->abort();
            socket->deleteLater();
            emit notAdmitted(MosRefusal{MosRefusal::Reason::Address, peer, QString(), QString()});
            continue;
        }
        if (m_connections.size() >= maxConnections) {
            MosConnection *quietest = *std::max_element(
                m_connections.begin(), m_connections.end(),
                [](const MosConnection *a, const MosConnection *b) { return a->idleFor() < b->idleFor(); });
            quietest->abort();
            m_connections.removeOne(quietest);
        }
        auto *connection = new MosConnection(socket, m_device, this);
        m_connections.append(connection);
        connect(connection, &MosConnection::closed, this, [this, connection] {
            m_connections.removeOne(connection);
            emit connectionsChanged(connectionCount());
        });
        emit connectionsChanged(connectionCount());
    }
}

void MosServer::closeNotAdmitted()
{
    const QList<MosConnection *> open = m_connections;
    for (MosConnection *connection : open) {
        if (m_device->admission().admitsAddress(connection->peerAddress()))
            continue;
        const QHostAddress peer = connection->peerAddress();
        // Ends the connection; its `closed` takes it off the list.
        connection->abort();
        emit notAdmitted(MosRefusal{MosRefusal::Reason::Address, peer, QString(), QString()});
    }
}

#pragma once

#include <optional>

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTcpServer>

#include "core/mos/mosadmission.h"

class MosConnection;
class MosDevice;

// Listens for newsroom systems on the protocol's two ports: the lower port (10540 by default)
// for the connection's own messages, the upper port (10541) for running orders. Either port takes
// any message. A primary newsroom system and its buddy each hold a connection on each port;
// beyond `maxConnections`, a new connection pushes out the one that has been quiet longest, so
// that connections a crashed peer left behind never lock its successor out. A connection from an
// address the device's admission does not allow is closed before anything is read from it, and
// counts for nothing; so is an open one when the admission changes and no longer allows it.
class MosServer : public QObject {
    Q_OBJECT
public:
    static constexpr int maxConnections = 8;

    explicit MosServer(MosDevice *device, QObject *parent = nullptr);
    ~MosServer() override;

    // Listens on both ports of `address` (a port 0 takes any free one). On failure nothing is
    // left listening and the reason is returned.
    std::optional<QString> listen(const QHostAddress &address, quint16 lowerPort, quint16 upperPort);
    // Stops listening and ends every connection.
    void close();

    bool isListening() const { return m_lower.isListening(); }
    quint16 lowerPort() const { return m_lower.serverPort(); }
    quint16 upperPort() const { return m_upper.serverPort(); }
    int connectionCount() const { return static_cast<int>(m_connections.size()); }

signals:
    void connectionsChanged(int count);
    // A connection was closed because its address is not allowed.
    void notAdmitted(const MosRefusal &refusal);

private:
    void accept(QTcpServer *server);
    void closeNotAdmitted();

    MosDevice *m_device;
    QTcpServer m_lower;
    QTcpServer m_upper;
    QList<MosConnection *> m_connections;
};

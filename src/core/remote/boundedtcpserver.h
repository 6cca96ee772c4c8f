#pragma once

#include <QTcpServer>

// A TCP server whose connections may send at most `limit` bytes between two answers: a peer that
// sends more (an endless body, say) is cut off before it fills the memory. Every byte the server
// writes back opens a new allowance, so a long-lived connection may send request after request.
class BoundedTcpServer : public QTcpServer {
    Q_OBJECT
public:
    explicit BoundedTcpServer(qint64 limit, QObject *parent = nullptr) : QTcpServer(parent), m_limit(limit) {}

signals:
    // A connection from `peer` was cut off for sending too much.
    void overflowed(const QString &peer);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    qint64 m_limit;
};

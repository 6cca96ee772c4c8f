#pragma once

#include <QObject>
#include <QTcpServer>

// A TCP proxy on loopback that holds every byte for a while in each direction, as a network
// with that one-way delay would.
class DelayProxy : public QObject {
public:
    DelayProxy(quint16 target, int delayMs, QObject *parent = nullptr);
    quint16 port() const { return m_server.serverPort(); }

private:
    void accept();

    QTcpServer m_server;
    quint16 m_target;
    int m_delayMs;
};

#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>

#include "core/mos/mosframer.h"

class MosDevice;
class QTcpSocket;

// One connection from a newsroom system: reads its messages, hands each to the device and
// sends the answer back on the same connection. The messages are worked through a few at a time
// between the program's other events, and no more is read from the network than is worked
// through, so that a peer that floods the connection slows itself down instead of the prompter.
// A message past the size limit or text that is not UTF-16 big-endian is answered with a
// negative acknowledgement and ends the connection; so does a peer that does not read its answers.
class MosConnection : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 readChunk = 64 * 1024;
    static constexpr qint64 maxUnsent = 16 * 1024 * 1024; // answers the peer has not taken
    static constexpr int messagesPerTurn = 50;
    static constexpr int millisecondsPerTurn = 20;
    static constexpr int closeTimeoutMs = 5000;

    // Takes over `socket`, which must be connected.
    MosConnection(QTcpSocket *socket, MosDevice *device, QObject *parent = nullptr);

    // Milliseconds since the peer last sent anything.
    qint64 idleFor() const { return m_lastActivity.elapsed(); }
    const QHostAddress &peerAddress() const { return m_peer; }
    void abort();

signals:
    // The connection has ended; the object deletes itself later.
    void closed();

private:
    void work();
    // Answers the messages that have come, as many as fit in a turn.
    void workSome();
    void schedule();
    void send(const QString &message);
    void refuseStream(const QString &reason);

    QTcpSocket *m_socket;
    QHostAddress m_peer;
    MosDevice *m_device;
    MosFramer m_framer;
    QElapsedTimer m_lastActivity;
    bool m_scheduled = false;
    bool m_working = false;
    bool m_workWaiting = false; // work was asked for while a message was being answered
    bool m_closing = false;
};

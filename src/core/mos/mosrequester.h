#pragma once

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include "core/mos/mosframer.h"

class MosDevice;
class QTcpSocket;

// Asks a newsroom system for its running orders again, after the prompter has started anew or
// lost the connection: roReqAll, then roReq for each running order it names, one at a time, on a
// connection of its own to the newsroom's port, as the protocol has a device ask. Each running
// order that comes back is the device's from then on. It ends after the last one, at the first
// failure, or when the newsroom has not answered for `answerTimeoutMs`.
class MosRequester : public QObject {
    Q_OBJECT
public:
    static constexpr int answerTimeoutMs = 10000;

    explicit MosRequester(MosDevice *device, QObject *parent = nullptr);

    // Asks the newsroom system `ncsId` at `address`, `port`; a request still running is dropped.
    void ask(const QHostAddress &address, quint16 port, const QString &ncsId);
    bool isAsking() const { return m_socket != nullptr; }

signals:
    // Done: `restored` running orders taken; `error` says why it stopped short, empty when it did
    // not.
    void finished(int restored, const QString &error);

private:
    void send(const QString &message);
    void received();
    void finish(const QString &error);

    MosDevice *m_device;
    QTcpSocket *m_socket = nullptr; // while asking
    MosFramer m_framer;
    QTimer m_silence;
    QHostAddress m_peer;
    QString m_ncsId;
    QStringList m_waiting; // running orders still to ask for
    int m_restored = 0;
    int m_messageId = 0;
};

#pragma once

#include <QDateTime>
#include <QObject>

#include "core/mos/mosreplies.h"
#include "core/mos/mosrunningorders.h"

// The prompter as a device of the newsroom system: it takes the newsroom's messages one at a
// time, applies what they say to the running orders it holds and gives the answer the protocol
// asks for. It claims profiles 0 (connection), 2 (running orders) and 4 (story text); a message
// of another profile is refused with a negative acknowledgement, as is one it cannot read.
class MosDevice : public QObject {
    Q_OBJECT
public:
    explicit MosDevice(const QString &deviceId, QObject *parent = nullptr);

    // The answer to the message `text` (its text, as framed), or nothing when the message is
    // itself an answer.
    QString answer(const QString &text);
    // The negative acknowledgement for a connection that is ended because its stream cannot be
    // read as messages at all (`reason` says why).
    QString refuseStream(const QString &reason);

    const MosRunningOrders &runningOrders() const { return m_orders; }
    MosMachineInfo machineInfo() const;
    void setDeviceId(const QString &deviceId) { m_deviceId = deviceId; }

signals:
    // A message changed the running orders.
    void changed(const MosChange &change);
    // A message was refused; `reason` says why (for the log).
    void refused(const QString &type, const QString &reason);

private:
    QString m_deviceId;
    MosRunningOrders m_orders;
    QDateTime m_runningSince;
};

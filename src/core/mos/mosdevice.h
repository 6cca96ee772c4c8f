#pragma once

#include <QDateTime>
#include <QHostAddress>
#include <QObject>

#include "core/mos/mosadmission.h"
#include "core/mos/mosreplies.h"
#include "core/mos/mosrunningorders.h"

// The prompter as a device of the newsroom system: it takes the newsroom's messages one at a
// time, applies what they say to the running orders it holds and gives the answer the protocol
// asks for. It claims profiles 0 (connection), 2 (running orders) and 4 (story text); a message
// of another profile is refused with a negative acknowledgement, as is one it cannot read. A
// message its admission does not let in is refused the same way and changes nothing; heartbeats
// are answered whoever sends them, so that a newsroom system set up wrongly stays connected and
// reads in the refusals what is wrong.
class MosDevice : public QObject {
    Q_OBJECT
public:
    explicit MosDevice(const QString &deviceId, QObject *parent = nullptr);

    // The answer to the message `text` (its text, as framed) that came from `peer`, or nothing
    // when the message is itself an answer.
    QString answer(const QString &text, const QHostAddress &peer = QHostAddress());
    // Takes the running order of the newsroom's answer `text` (roList) from `peer` as the newsroom's
    // from now on, as a replacement; why not, when it is no such answer or is not let in.
    QString takeRunningOrder(const QString &text, const QHostAddress &peer);
    // The negative acknowledgement for a connection that is ended because its stream cannot be
    // read as messages at all (`reason` says why).
    QString refuseStream(const QString &reason);

    const MosRunningOrders &runningOrders() const { return m_orders; }
    MosMachineInfo machineInfo() const;
    const MosAdmission &admission() const { return m_admission; }
    // Takes `admission` (and its device ID) for the messages and connections from now on.
    void setAdmission(const MosAdmission &admission);

signals:
    // A message changed the running orders.
    void changed(const MosChange &change);
    // A message was refused; `reason` says why (for the log).
    void refused(const QString &type, const QString &reason);
    // A message was refused by the admission.
    void notAdmitted(const MosRefusal &refusal);
    void admissionChanged();
    // A message the admission lets in came from the newsroom system `ncsId` at `peer`.
    void newsroomHeard(const QString &ncsId, const QHostAddress &peer);

private:
    MosAdmission m_admission;
    MosRunningOrders m_orders;
    QDateTime m_runningSince;
};

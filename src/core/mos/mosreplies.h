#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "core/mos/mosrunningorder.h"

// The answers a prompter gives a newsroom system, and the requests it makes, as the text of one
// message each.

// The IDs an answer carries: those of the message it answers. An answer to a message without a
// messageID (older newsroom systems send heartbeats without one) has none either.
struct MosEnvelope {
    QString mosId;
    QString ncsId;
    QString messageId;
};

// What the device says about itself when asked (listMachInfo).
struct MosMachineInfo {
    QString manufacturer;
    QString model;
    QString softwareRevision;
    QString serialNumber;
    QString id;
    QList<int> profiles; // the profiles it implements
};

QString mostime(const QDateTime &time);

// roAck: `status` is "OK", or why the message could not be applied.
QString mosroack(const MosEnvelope &envelope, const QString &roId, const QString &status);
// mosAck for a message that is not a running-order message: ACK, or NACK with the reason.
QString mosack(const MosEnvelope &envelope, bool accepted, const QString &description);
QString mosheartbeat(const MosEnvelope &envelope, const QDateTime &time);
QString moslistmachinfo(const MosEnvelope &envelope, const MosMachineInfo &info, const QDateTime &time,
                        const QDateTime &runningSince);
// roList: the running order as the device holds it.
QString mosrolist(const MosEnvelope &envelope, const MosRunningOrder &order);
// roListAll: the running orders the device holds, without their stories.
QString mosrolistall(const MosEnvelope &envelope, const QList<MosRunningOrder> &orders);

// The prompter's own requests, when it asks the newsroom for its running orders again: all of
// them (roReqAll), and one (roReq).
QString mosroreqall(const MosEnvelope &envelope);
QString mosroreq(const MosEnvelope &envelope, const QString &roId);

// A message as it goes on the wire: UTF-16 big-endian, no byte-order mark.
QByteArray mosencode(const QString &message);

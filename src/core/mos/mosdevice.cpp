#include "core/mos/mosdevice.h"

#include "core/mos/mosmessage.h"

namespace {

using Kind = MosMessage::Kind;

const QString ok = QStringLiteral("OK");

MosEnvelope envelopeOf(const MosMessage &message, const QString &deviceId)
{
    return {message.mosId.isEmpty() ? deviceId : message.mosId, message.ncsId, message.messageId};
}

bool looksLikeRunningOrderMessage(const MosMessage &message)
{
    return message.isRunningOrderMessage() || message.type.startsWith(QLatin1String("ro"));
}

// What the newsroom system is told. The NCS ID the device waits for is not named: the peer that
// is refused may be anyone.
QString refusalStatus(const MosRefusal &refusal)
{
    if (refusal.reason == MosRefusal::Reason::NcsId)
        return QStringLiteral("ncsID \"%1\" is not the newsroom system this device serves")
            .arg(refusal.received);
    return QStringLiteral("mosID \"%1\" is not this device's, which is \"%2\"")
        .arg(refusal.received, refusal.expected);
}

} // namespace

MosDevice::MosDevice(const QString &deviceId, QObject *parent)
    : QObject(parent), m_admission(deviceId), m_runningSince(QDateTime::currentDateTimeUtc())
{
}

MosMachineInfo MosDevice::machineInfo() const
{
    return {QStringLiteral("korvanex"), QStringLiteral("Vantell"), QStringLiteral(VANTELL_VERSION),
            m_admission.deviceId(),     m_admission.deviceId(),    {0, 2, 4}};
}

void MosDevice::setAdmission(const MosAdmission &admission)
{
    m_admission = admission;
    emit admissionChanged();
}

QString MosDevice::takeRunningOrder(const QString &text, const QHostAddress &peer)
{
    MosParseResult parsed = parsemosmessage(text);
    MosMessage &message = parsed.message;
    if (parsed.error.isEmpty() && message.kind != Kind::List)
        parsed.error = QStringLiteral("<%1> where a running order was asked for").arg(message.type);
    if (parsed.error.isEmpty())
        if (const std::optional<MosRefusal> refusal =
                m_admission.refusal(message.ncsId, message.mosId, peer)) {
            emit notAdmitted(*refusal);
            parsed.error = refusalStatus(*refusal);
        }
    if (!parsed.error.isEmpty()) {
        emit refused(message.type, parsed.error);
        return parsed.error;
    }
    message.kind = Kind::Replace;
    const MosApplied applied = m_orders.apply(message);
    if (!applied.error.isEmpty()) {
        emit refused(message.type, applied.error);
        return applied.error;
    }
    emit changed(applied.change);
    return QString();
}

QString MosDevice::refuseStream(const QString &reason)
{
    emit refused(QString(), reason);
    return mosack(MosEnvelope{m_admission.deviceId(), QString(), QString()}, false, reason);
}

QString MosDevice::answer(const QString &text, const QHostAddress &peer)
{
    const MosParseResult parsed = parsemosmessage(text);
    const MosMessage &message = parsed.message;
    const MosEnvelope envelope = envelopeOf(message, m_admission.deviceId());
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (!parsed.error.isEmpty()) {
        emit refused(message.type, parsed.error);
        if (looksLikeRunningOrderMessage(message))
            return mosroack(envelope, message.roId, parsed.error);
        return mosack(envelope, false, parsed.error);
    }
    // Answers (the device asks for running orders on connections of its own) are not answered.
    if (message.kind == Kind::Acknowledgement || message.kind == Kind::List || message.kind == Kind::ListAll)
        return QString();
    const std::optional<MosRefusal> refusal = m_admission.refusal(message.ncsId, message.mosId, peer);
    if (!refusal)
        emit newsroomHeard(message.ncsId, peer);
    if (message.kind == Kind::Heartbeat)
        return mosheartbeat(envelope, now);
    if (refusal) {
        emit notAdmitted(*refusal);
        if (looksLikeRunningOrderMessage(message))
            return mosroack(envelope, message.roId, refusalStatus(*refusal));
        return mosack(envelope, false, refusalStatus(*refusal));
    }
    switch (message.kind) {
    case Kind::MachineInfoRequest:
        return moslistmachinfo(envelope, machineInfo(), now, m_runningSince);
    case Kind::ListAllRequest:
        return mosrolistall(envelope, m_orders.all());
    case Kind::ListRequest: {
        if (const MosRunningOrder *order = m_orders.find(message.roId))
            return mosrolist(envelope, *order);
        const QString reason = QStringLiteral("no running order %1").arg(message.roId);
        emit refused(message.type, reason);
        return mosroack(envelope, message.roId, reason);
    }
    case Kind::Unsupported: {
        const QString reason = QStringLiteral("<%1> is not supported").arg(message.type);
        emit refused(message.type, reason);
        if (looksLikeRunningOrderMessage(message))
            return mosroack(envelope, message.roId, reason);
        return mosack(envelope, false, reason);
    }
    default:
        break;
    }
    const MosApplied applied = m_orders.apply(message);
    if (!applied.error.isEmpty()) {
        emit refused(message.type, applied.error);
        return mosroack(envelope, message.roId, applied.error);
    }
    emit changed(applied.change);
    return mosroack(envelope, message.roId, ok);
}

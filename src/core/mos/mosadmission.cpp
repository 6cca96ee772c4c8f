#include "core/mos/mosadmission.h"

#include <algorithm>

#include <QRegularExpression>

namespace {

// 127.0.0.1 and ::1 are the same machine, and an IPv4 address is the same peer in its IPv6 form
// (::ffff:127.0.0.1), as a server listening on both protocols sees IPv4 peers.
constexpr QHostAddress::ConversionMode sameMachine = QHostAddress::TolerantConversion;

bool matches(const QHostAddress &allowed, const QHostAddress &peer)
{
    // An entry without an interface (fe80::1) stands for the address on any interface.
    QHostAddress seen = peer;
    if (allowed.scopeId().isEmpty())
        seen.setScopeId(QString());
    return allowed.isEqual(seen, sameMachine);
}

} // namespace

QString MosRefusal::peerName() const
{
    bool mapped = false;
    const quint32 ipv4 = peer.toIPv4Address(&mapped);
    return mapped ? QHostAddress(ipv4).toString() : peer.toString();
}

MosAddressList readaddresslist(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[,;\\s]+"));
    MosAddressList list;
    for (const QString &entry : text.split(separators, Qt::SkipEmptyParts)) {
        const QHostAddress address(entry);
        if (address.isNull())
            list.invalid << entry;
        else
            list.addresses << address;
    }
    return list;
}

MosAdmission::MosAdmission(const QString &deviceId, const QString &ncsId, const QString &allowedAddresses)
    : m_deviceId(deviceId.trimmed()), m_ncsId(ncsId.trimmed()), m_allowed(readaddresslist(allowedAddresses)),
      m_anyAddress(m_allowed.addresses.isEmpty() && m_allowed.invalid.isEmpty())
{
}

bool MosAdmission::admitsAddress(const QHostAddress &peer) const
{
    if (m_anyAddress)
        return true;
    return std::any_of(m_allowed.addresses.begin(), m_allowed.addresses.end(),
                       [&peer](const QHostAddress &allowed) { return matches(allowed, peer); });
}

std::optional<MosRefusal> MosAdmission::refusal(const QString &ncsId, const QString &mosId,
                                                const QHostAddress &peer) const
{
    if (!m_ncsId.isEmpty() && ncsId.trimmed() != m_ncsId)
        return MosRefusal{MosRefusal::Reason::NcsId, peer, ncsId.trimmed(), m_ncsId};
    if (mosId.trimmed() != m_deviceId)
        return MosRefusal{MosRefusal::Reason::MosId, peer, mosId.trimmed(), m_deviceId};
    return std::nullopt;
}

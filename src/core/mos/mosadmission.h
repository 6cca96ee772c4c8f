#pragma once

#include <optional>

#include <QHostAddress>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// A connection or a message the device did not let in, and why.
struct MosRefusal {
    enum class Reason {
        Address, // the connection came from an address that is not allowed
        NcsId,   // the message came from another newsroom system
        MosId,   // the message was addressed to another device
    };

    Reason reason = Reason::Address;
    QHostAddress peer;
    QString received; // NcsId, MosId: the ID the message carried
    QString expected; // NcsId, MosId: the ID the device takes

    // The peer's address as the operator writes it: an IPv4 peer of a server that listens on
    // IPv4 and IPv6 at once is shown as IPv4, not in its IPv6 form.
    QString peerName() const;
};

Q_DECLARE_METATYPE(MosRefusal)

// A list of addresses as the operator wrote it (separated by commas, semicolons or blanks), and
// the entries that are not addresses.
struct MosAddressList {
    QList<QHostAddress> addresses;
    QStringList invalid;
};

MosAddressList readaddresslist(const QString &text);

// Whom the device takes messages from: the newsroom system it was set up for (its NCS ID), on
// messages addressed to the device's own MOS ID, over connections from the allowed addresses.
// MOS carries no secret, so these are what a device can check. An empty NCS ID takes any newsroom
// system and an empty list any address. An entry of the list that is not an address lets no one
// in: a mistyped list closes the door rather than opening it.
class MosAdmission {
public:
    explicit MosAdmission(const QString &deviceId, const QString &ncsId = QString(),
                          const QString &allowedAddresses = QString());

    const QString &deviceId() const { return m_deviceId; }
    const QString &ncsId() const { return m_ncsId; }
    // The entries of the allowed addresses that are not addresses.
    const QStringList &invalidAddresses() const { return m_allowed.invalid; }

    bool admitsAddress(const QHostAddress &peer) const;
    // Why a message carrying these IDs from `peer` is refused; nothing when it is let in.
    std::optional<MosRefusal> refusal(const QString &ncsId, const QString &mosId,
                                      const QHostAddress &peer) const;

private:
    QString m_deviceId;
    QString m_ncsId;
    MosAddressList m_allowed;
    bool m_anyAddress;
};

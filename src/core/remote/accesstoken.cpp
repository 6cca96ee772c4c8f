#include "core/remote/accesstoken.h"

#include <QByteArray>
#include <QRandomGenerator>

QString generatetoken()
{
    QByteArray bytes(24, '\0');
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

bool tokensmatch(const QString &offered, const QString &expected)
{
    const QByteArray a = offered.toUtf8();
    const QByteArray b = expected.toUtf8();
    // Every byte of the expected token is looked at, whatever the offered one holds.
    unsigned difference = a.size() == b.size() ? 0U : 1U;
    for (qsizetype i = 0; i < b.size(); ++i)
        difference |=
            static_cast<unsigned char>(b.at(i)) ^ static_cast<unsigned char>(i < a.size() ? a.at(i) : 0);
    return difference == 0 && !b.isEmpty();
}

bool tokenaccepted(const QString &offered, const QString &token, const QString &alsoAccepted)
{
    // An empty token matches nothing.
    return tokensmatch(offered, token) || tokensmatch(offered, alsoAccepted);
}

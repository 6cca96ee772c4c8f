#pragma once

#include <QString>

// Newsroom messages for the tests, written as a newsroom system writes them.
namespace mostext {

// `body` (the message element) in the envelope of a message from the newsroom `ncsId` to the
// device `mosId`; no messageID when `messageId` is empty.
inline QString messageBetween(const QString &ncsId, const QString &mosId, const QString &body,
                              const QString &messageId = QStringLiteral("7"))
{
    QString envelope = QStringLiteral("<mos><mosID>%1</mosID><ncsID>%2</ncsID>").arg(mosId, ncsId);
    if (!messageId.isEmpty())
        envelope += QStringLiteral("<messageID>%1</messageID>").arg(messageId);
    return envelope + body + QStringLiteral("</mos>");
}

// The same from the newsroom "NCS1" to the device "PROMPTER".
inline QString message(const QString &body, const QString &messageId = QStringLiteral("7"))
{
    return messageBetween(QStringLiteral("NCS1"), QStringLiteral("PROMPTER"), body, messageId);
}

inline QString story(const QString &id, const QString &slug, const QString &items = QString())
{
    return QStringLiteral(
               "<story><storyID>%1</storyID><storySlug>%2</storySlug><storyNum>%1</storyNum>%3</story>")
        .arg(id, slug, items);
}

inline QString item(const QString &id, const QString &slug = QString())
{
    return QStringLiteral("<item><itemID>%1</itemID><itemSlug>%2</itemSlug><objID>OBJ%1</objID>"
                          "<mosID>VIDEO</mosID></item>")
        .arg(id, slug);
}

// A running order "RO1" of the stories given.
inline QString create(const QString &stories, const QString &roId = QStringLiteral("RO1"),
                      const QString &type = QStringLiteral("roCreate"))
{
    return QStringLiteral("<%1><roID>%2</roID><roSlug>Evening News</roSlug>%3</%1>").arg(type, roId, stories);
}

inline QString storySend(const QString &storyId, const QString &body,
                         const QString &roId = QStringLiteral("RO1"))
{
    return QStringLiteral("<roStorySend><roID>%1</roID><storyID>%2</storyID><storyBody>%3</storyBody>"
                          "</roStorySend>")
        .arg(roId, storyId, body);
}

} // namespace mostext

#pragma once

#include <QSet>
#include <QStringEncoder>

#include "core/mos/mosdevice.h"
#include "core/mos/mosframer.h"
#include "core/mos/mosxml.h"

// Plays bytes to a device as a newsroom connection would send them and checks what must hold
// whatever they are: every answer is well-formed XML that carries the message's messageID, and
// no running order ever holds a story twice. Text starting with '<' is taken as UTF-8 and sent
// as UTF-16 big-endian, so that samples can be written by hand; anything else goes as it is, in
// two pieces split where its first byte says. Returns the first fault, or nothing.
inline QString replaymos(QByteArrayView input)
{
    QByteArray bytes(input.data(), input.size());
    if (bytes.startsWith('<')) {
        QStringEncoder encoder(QStringConverter::Utf16BE);
        bytes = encoder.encode(QString::fromUtf8(bytes));
    }
    const qsizetype split =
        bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes.at(0)) % (bytes.size() + 1);
    // The corpus addresses its messages to the tests' device, so that they are applied, not refused.
    MosDevice device(QStringLiteral("PROMPTER"));
    MosFramer framer;
    for (QByteArrayView piece : {QByteArrayView(bytes).first(split), QByteArrayView(bytes).sliced(split)}) {
        framer.feed(piece);
        while (std::optional<QString> message = framer.next()) {
            const QString answer = device.answer(*message);
            if (answer.isEmpty())
                continue;
            const MosXmlDocument read = readmosxml(answer);
            if (!read.error.isEmpty())
                return QStringLiteral("answer not well-formed: %1").arg(read.error);
            if (read.root.name != u"mos")
                return QStringLiteral("answer is not a message");
            for (const MosRunningOrder &order : device.runningOrders().all()) {
                QSet<QString> ids;
                for (const MosStory &story : order.stories)
                    ids.insert(story.id);
                if (ids.size() != order.stories.size())
                    return QStringLiteral("running order %1 holds a story twice").arg(order.id);
            }
        }
    }
    return QString();
}

#include "core/mos/mosreplies.h"

#include <functional>

#include <QStringEncoder>
#include <QXmlStreamWriter>

namespace {

QString message(const MosEnvelope &envelope, const std::function<void(QXmlStreamWriter &)> &body)
{
    QString text;
    QXmlStreamWriter xml(&text);
    xml.writeStartElement(QStringLiteral("mos"));
    xml.writeTextElement(QStringLiteral("mosID"), envelope.mosId);
    xml.writeTextElement(QStringLiteral("ncsID"), envelope.ncsId);
    if (!envelope.messageId.isEmpty())
        xml.writeTextElement(QStringLiteral("messageID"), envelope.messageId);
    body(xml);
    xml.writeEndElement();
    return text;
}

// An optional field: written only when there is something to say.
void writeOptional(QXmlStreamWriter &xml, const QString &name, const QString &value)
{
    if (!value.isEmpty())
        xml.writeTextElement(name, value);
}

void writeItem(QXmlStreamWriter &xml, const MosItem &item)
{
    xml.writeStartElement(QStringLiteral("item"));
    xml.writeTextElement(QStringLiteral("itemID"), item.id);
    writeOptional(xml, QStringLiteral("itemSlug"), item.slug);
    xml.writeTextElement(QStringLiteral("objID"), item.objectId);
    xml.writeTextElement(QStringLiteral("mosID"), item.mosId);
    writeOptional(xml, QStringLiteral("objSlug"), item.objectSlug);
    writeOptional(xml, QStringLiteral("mosAbstract"), item.abstract);
    writeOptional(xml, QStringLiteral("itemChannel"), item.channel);
    writeOptional(xml, QStringLiteral("itemEdStart"), item.editorialStart);
    writeOptional(xml, QStringLiteral("itemEdDur"), item.editorialDuration);
    writeOptional(xml, QStringLiteral("itemUserTimingDur"), item.userTimingDuration);
    writeOptional(xml, QStringLiteral("itemTrigger"), item.trigger);
    writeOptional(xml, QStringLiteral("macroIn"), item.macroIn);
    writeOptional(xml, QStringLiteral("macroOut"), item.macroOut);
    xml.writeEndElement();
}

void writeHeader(QXmlStreamWriter &xml, const MosRunningOrder &order)
{
    xml.writeTextElement(QStringLiteral("roID"), order.id);
    xml.writeTextElement(QStringLiteral("roSlug"), order.slug);
    writeOptional(xml, QStringLiteral("roChannel"), order.channel);
    writeOptional(xml, QStringLiteral("roEdStart"), order.editorialStart);
    writeOptional(xml, QStringLiteral("roEdDur"), order.editorialDuration);
    writeOptional(xml, QStringLiteral("roTrigger"), order.trigger);
    writeOptional(xml, QStringLiteral("macroIn"), order.macroIn);
    writeOptional(xml, QStringLiteral("macroOut"), order.macroOut);
}

} // namespace

QString mostime(const QDateTime &time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss,zzzZ"));
}

QString mosroack(const MosEnvelope &envelope, const QString &roId, const QString &status)
{
    return message(envelope, [&](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("roAck"));
        xml.writeTextElement(QStringLiteral("roID"), roId);
        xml.writeTextElement(QStringLiteral("roStatus"), status);
        xml.writeEndElement();
    });
}

QString mosack(const MosEnvelope &envelope, bool accepted, const QString &description)
{
    return message(envelope, [&](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("mosAck"));
        xml.writeTextElement(QStringLiteral("objID"), QString());
        xml.writeTextElement(QStringLiteral("objRev"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("status"),
                             accepted ? QStringLiteral("ACK") : QStringLiteral("NACK"));
        xml.writeTextElement(QStringLiteral("statusDescription"), description);
        xml.writeEndElement();
    });
}

QString mosheartbeat(const MosEnvelope &envelope, const QDateTime &time)
{
    return message(envelope, [&](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("heartbeat"));
        xml.writeTextElement(QStringLiteral("time"), mostime(time));
        xml.writeEndElement();
    });
}

QString moslistmachinfo(const MosEnvelope &envelope, const MosMachineInfo &info, const QDateTime &time,
                        const QDateTime &runningSince)
{
    return message(envelope, [&](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("listMachInfo"));
        xml.writeTextElement(QStringLiteral("manufacturer"), info.manufacturer);
        xml.writeTextElement(QStringLiteral("model"), info.model);
        xml.writeTextElement(QStringLiteral("hwRev"), QString());
        xml.writeTextElement(QStringLiteral("swRev"), info.softwareRevision);
        xml.writeTextElement(QStringLiteral("DOM"), QString());
        xml.writeTextElement(QStringLiteral("SN"), info.serialNumber);
        xml.writeTextElement(QStringLiteral("ID"), info.id);
        xml.writeTextElement(QStringLiteral("time"), mostime(time));
        xml.writeTextElement(QStringLiteral("opTime"), mostime(runningSince));
        xml.writeTextElement(QStringLiteral("mosRev"), QStringLiteral("2.8.5"));
        xml.writeStartElement(QStringLiteral("supportedProfiles"));
        xml.writeAttribute(QStringLiteral("deviceType"), QStringLiteral("MOS"));
        for (int profile = 0; profile <= 7; ++profile) {
            xml.writeStartElement(QStringLiteral("mosProfile"));
            xml.writeAttribute(QStringLiteral("number"), QString::number(profile));
            xml.writeCharacters(info.profiles.contains(profile) ? QStringLiteral("YES")
                                                                : QStringLiteral("NO"));
            xml.writeEndElement();
        }
        xml.writeEndElement();
        xml.writeEndElement();
    });
}

QString mosrolist(const MosEnvelope &envelope, const MosRunningOrder &order)
{
    return message(envelope, [&](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("roList"));
        writeHeader(xml, order);
        for (const MosStory &story : order.stories) {
            xml.writeStartElement(QStringLiteral("story"));
            xml.writeTextElement(QStringLiteral("storyID"), story.id);
            xml.writeTextElement(QStringLiteral("storySlug"), story.slug);
            writeOptional(xml, QStringLiteral("storyNum"), story.number);
            for (const MosItem &item : story.items)
                writeItem(xml, item);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
}

QString mosrolistall(const MosEnvelope &envelope, const QList<MosRunningOrder> &orders)
{
    return message(envelope, [&](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("roListAll"));
        for (const MosRunningOrder &order : orders) {
            xml.writeStartElement(QStringLiteral("ro"));
            writeHeader(xml, order);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
}

QString mosroreqall(const MosEnvelope &envelope)
{
    return message(envelope,
                   [](QXmlStreamWriter &xml) { xml.writeEmptyElement(QStringLiteral("roReqAll")); });
}

QString mosroreq(const MosEnvelope &envelope, const QString &roId)
{
    return message(envelope, [&roId](QXmlStreamWriter &xml) {
        xml.writeStartElement(QStringLiteral("roReq"));
        xml.writeTextElement(QStringLiteral("roID"), roId);
        xml.writeEndElement();
    });
}

QByteArray mosencode(const QString &message)
{
    QStringEncoder encoder(QStringConverter::Utf16BE);
    return encoder.encode(message);
}

#include "core/import/docxproperties.h"

#include <QXmlStreamReader>

#include "core/import/wordxml.h"

namespace {

template <typename T> void take(std::optional<T> &value, const std::optional<T> &over)
{
    if (over)
        value = over;
}

QString value(const QXmlStreamReader &xml)
{
    return wordattribute(xml, QLatin1String("val")).value_or(QString());
}

std::optional<Qt::Alignment> alignment(const QString &justification)
{
    if (justification == QLatin1String("left") || justification == QLatin1String("start"))
        return Qt::AlignLeft;
    if (justification == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (justification == QLatin1String("right") || justification == QLatin1String("end"))
        return Qt::AlignRight;
    if (justification == QLatin1String("both") || justification.contains(QLatin1String("istribute")))
        return Qt::AlignJustify;
    return std::nullopt;
}

} // namespace

void DocxParagraphProperties::mergeFrom(const DocxParagraphProperties &over)
{
    if (!over.style.isEmpty())
        style = over.style;
    take(alignment, over.alignment);
    take(numbering, over.numbering);
    take(level, over.level);
    take(outlineLevel, over.outlineLevel);
}

RunProperties readrunproperties(QXmlStreamReader &xml)
{
    RunProperties properties;
    while (xml.readNextStartElement()) {
        if (isword(xml, QLatin1String("rStyle"))) {
            properties.style = value(xml);
        } else if (isword(xml, QLatin1String("b"))) {
            properties.bold = wordswitch(xml);
        } else if (isword(xml, QLatin1String("i"))) {
            properties.italic = wordswitch(xml);
        } else if (isword(xml, QLatin1String("strike")) || isword(xml, QLatin1String("dstrike"))) {
            properties.strike = wordswitch(xml);
        } else if (isword(xml, QLatin1String("vanish"))) {
            properties.hidden = wordswitch(xml);
        } else if (isword(xml, QLatin1String("u"))) {
            properties.underline = value(xml) != QLatin1String("none");
        } else if (isword(xml, QLatin1String("color"))) {
            const QString rgb = value(xml);
            properties.color = rgb == QLatin1String("auto") ? QColor() : QColor(QLatin1Char('#') + rgb);
        } else if (isword(xml, QLatin1String("sz"))) {
            bool ok = false;
            const int halfPoints = value(xml).toInt(&ok);
            if (ok && halfPoints > 0)
                properties.points = halfPoints / 2.0;
        } else if (isword(xml, QLatin1String("rFonts"))) {
            const auto face = wordattribute(xml, QLatin1String("ascii"));
            const auto latin = face ? face : wordattribute(xml, QLatin1String("hAnsi"));
            if (latin && !latin->isEmpty())
                properties.face = *latin;
        }
        xml.skipCurrentElement();
    }
    return properties;
}

DocxParagraphProperties readparagraphproperties(QXmlStreamReader &xml)
{
    DocxParagraphProperties properties;
    while (xml.readNextStartElement()) {
        if (isword(xml, QLatin1String("pStyle"))) {
            properties.style = value(xml);
        } else if (isword(xml, QLatin1String("jc"))) {
            properties.alignment = alignment(value(xml));
        } else if (isword(xml, QLatin1String("outlineLvl"))) {
            properties.outlineLevel = value(xml).toInt();
        } else if (isword(xml, QLatin1String("framePr"))) {
            const QString dropCap = wordattribute(xml, QLatin1String("dropCap")).value_or(QString());
            properties.dropCap = !dropCap.isEmpty() && dropCap != QLatin1String("none");
        } else if (isword(xml, QLatin1String("numPr"))) {
            while (xml.readNextStartElement()) {
                if (isword(xml, QLatin1String("numId")))
                    properties.numbering = value(xml);
                else if (isword(xml, QLatin1String("ilvl")))
                    properties.level = value(xml).toInt();
                xml.skipCurrentElement();
            }
            continue;
        }
        xml.skipCurrentElement();
    }
    return properties;
}

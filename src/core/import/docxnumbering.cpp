#include "core/import/docxnumbering.h"

#include <QXmlStreamReader>

#include "core/import/wordxml.h"
#include "core/import/xmlpart.h"
#include "core/import/zippackage.h"

namespace {

QTextListFormat::Style liststyle(const QString &format, int level)
{
    if (format == QLatin1String("bullet")) {
        static const QTextListFormat::Style bullets[] = {
            QTextListFormat::ListDisc, QTextListFormat::ListCircle, QTextListFormat::ListSquare};
        return bullets[level % 3];
    }
    if (format == QLatin1String("lowerLetter"))
        return QTextListFormat::ListLowerAlpha;
    if (format == QLatin1String("upperLetter"))
        return QTextListFormat::ListUpperAlpha;
    if (format == QLatin1String("lowerRoman"))
        return QTextListFormat::ListLowerRoman;
    if (format == QLatin1String("upperRoman"))
        return QTextListFormat::ListUpperRoman;
    if (format == QLatin1String("none"))
        return QTextListFormat::ListStyleUndefined;
    return QTextListFormat::ListDecimal;
}

QString value(const QXmlStreamReader &xml)
{
    return wordattribute(xml, QLatin1String("val")).value_or(QString());
}

// From the start of <w:lvl> to its end.
QString levelformat(QXmlStreamReader &xml)
{
    QString format = QStringLiteral("decimal");
    while (xml.readNextStartElement()) {
        if (isword(xml, QLatin1String("numFmt")))
            format = value(xml);
        xml.skipCurrentElement();
    }
    return format;
}

} // namespace

DocxNumbering::DocxNumbering(const ZipPackage &package, const QString &part)
{
    if (!package.contains(part))
        return;
    QXmlStreamReader xml(package.read(part));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (isword(xml, QLatin1String("abstractNum"))) {
            const QString id = wordattribute(xml, QLatin1String("abstractNumId")).value_or(QString());
            QList<QTextListFormat::Style> levels;
            while (xml.readNextStartElement()) {
                if (!isword(xml, QLatin1String("lvl"))) {
                    xml.skipCurrentElement();
                    continue;
                }
                const int level = wordattribute(xml, QLatin1String("ilvl")).value_or(QString()).toInt();
                const QString format = levelformat(xml);
                if (level < 0 || level > 8)
                    continue;
                while (levels.size() <= level)
                    levels.append(QTextListFormat::ListDecimal);
                levels[level] = liststyle(format, level);
            }
            m_abstract.insert(id, levels);
        } else if (isword(xml, QLatin1String("num"))) {
            const QString id = wordattribute(xml, QLatin1String("numId")).value_or(QString());
            while (xml.readNextStartElement()) {
                if (isword(xml, QLatin1String("abstractNumId")))
                    m_abstractOf.insert(id, value(xml));
                xml.skipCurrentElement();
            }
        }
    }
    failifbroken(xml, package, part);
}

QList<QTextListFormat::Style> DocxNumbering::levels(const QString &id) const
{
    const auto abstract = m_abstractOf.constFind(id);
    return abstract == m_abstractOf.constEnd() ? QList<QTextListFormat::Style>()
                                               : m_abstract.value(*abstract);
}

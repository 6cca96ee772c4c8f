#include "core/import/docxstyles.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include "core/import/wordxml.h"
#include "core/import/xmlpart.h"
#include "core/import/zippackage.h"

namespace {

void readdefaults(QXmlStreamReader &xml, RunProperties &run)
{
    while (xml.readNextStartElement()) {
        if (isword(xml, QLatin1String("rPrDefault"))) {
            while (xml.readNextStartElement()) {
                if (isword(xml, QLatin1String("rPr")))
                    run = readrunproperties(xml);
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
}

} // namespace

DocxStyles::DocxStyles(const ZipPackage &package, const QString &part)
{
    if (!package.contains(part))
        return;
    QXmlStreamReader xml(package.read(part));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (isword(xml, QLatin1String("docDefaults"))) {
            readdefaults(xml, m_defaultRun);
        } else if (isword(xml, QLatin1String("style"))) {
            const QString type = wordattribute(xml, QLatin1String("type")).value_or(QString());
            const QString id = wordattribute(xml, QLatin1String("styleId")).value_or(QString());
            const QString isDefault = wordattribute(xml, QLatin1String("default")).value_or(QString());
            if (type == QLatin1String("paragraph") &&
                (isDefault == QLatin1String("1") || isDefault == QLatin1String("true")))
                m_defaultParagraphStyle = id;
            Style style;
            while (xml.readNextStartElement()) {
                if (isword(xml, QLatin1String("basedOn"))) {
                    style.basedOn = wordattribute(xml, QLatin1String("val")).value_or(QString());
                    xml.skipCurrentElement();
                } else if (isword(xml, QLatin1String("name"))) {
                    style.name = wordattribute(xml, QLatin1String("val")).value_or(QString());
                    xml.skipCurrentElement();
                } else if (isword(xml, QLatin1String("pPr"))) {
                    style.paragraph = readparagraphproperties(xml);
                } else if (isword(xml, QLatin1String("rPr"))) {
                    style.run = readrunproperties(xml);
                } else {
                    xml.skipCurrentElement();
                }
            }
            if (type == QLatin1String("paragraph") || type == QLatin1String("character"))
                m_styles.insert(id, style);
        }
    }
    failifbroken(xml, package, part);
}

QList<const DocxStyles::Style *> DocxStyles::chain(const QString &id) const
{
    QList<const Style *> styles;
    QString next = id;
    while (!next.isEmpty() && styles.size() < 64) {
        const auto found = m_styles.constFind(next);
        if (found == m_styles.constEnd() || styles.contains(&found.value()))
            break;
        styles.prepend(&found.value());
        next = found->basedOn;
    }
    return styles;
}

DocxParagraphProperties DocxStyles::paragraph(const QString &id) const
{
    DocxParagraphProperties properties;
    for (const Style *style : chain(id))
        properties.mergeFrom(style->paragraph);
    return properties;
}

RunProperties DocxStyles::run(const QString &id) const
{
    RunProperties properties;
    for (const Style *style : chain(id))
        properties.mergeFrom(style->run);
    return properties;
}

int DocxStyles::headingLevel(const QString &id) const
{
    static const QRegularExpression heading(QStringLiteral("^heading ([1-9])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QList<const Style *> styles = chain(id);
    for (auto style = styles.crbegin(); style != styles.crend(); ++style) {
        const QRegularExpressionMatch match = heading.match((*style)->name);
        if (match.hasMatch())
            return match.captured(1).toInt() - 1;
    }
    const std::optional<int> outline = paragraph(id).outlineLevel;
    return outline && *outline >= 0 && *outline < 9 ? *outline : -1;
}

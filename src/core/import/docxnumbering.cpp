#include "core/import/docxnumbering.h"

#include <QXmlStreamReader>

#include "core/import/symbolfonts.h"
#include "core/import/wordxml.h"
#include "core/import/xmlpart.h"
#include "core/import/zippackage.h"

namespace {

constexpr int levelCount = 9;

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

int level(const QXmlStreamReader &xml)
{
    bool ok = false;
    const int level = wordattribute(xml, QLatin1String("ilvl")).value_or(QString()).toInt(&ok);
    return ok ? level : -1;
}

// The face of a level's mark, from the start of its <w:rPr> to its end.
QString markface(QXmlStreamReader &xml)
{
    QString face;
    while (xml.readNextStartElement()) {
        if (isword(xml, QLatin1String("rFonts"))) {
            const auto ascii = wordattribute(xml, QLatin1String("ascii"));
            face = ascii ? *ascii : wordattribute(xml, QLatin1String("hAnsi")).value_or(QString());
        }
        xml.skipCurrentElement();
    }
    return face;
}

} // namespace

void DocxNumbering::readlevel(QXmlStreamReader &xml, QList<ImportedListLevel> &levels)
{
    const int at = level(xml);
    QString format = QStringLiteral("decimal");
    QString text;
    QString face;
    int start = 1;
    while (xml.readNextStartElement()) {
        if (isword(xml, QLatin1String("numFmt")))
            format = value(xml);
        else if (isword(xml, QLatin1String("lvlText")))
            text = value(xml);
        else if (isword(xml, QLatin1String("start")))
            start = value(xml).toInt();
        else if (isword(xml, QLatin1String("rPr"))) {
            face = markface(xml);
            continue;
        }
        xml.skipCurrentElement();
    }
    if (at < 0 || at >= levelCount)
        return;
    while (levels.size() <= at)
        levels.append({QTextListFormat::ListDecimal, QString(), 1});
    ImportedListLevel &level = levels[at];
    level.style = liststyle(format, at);
    level.start = start;
    // A bullet drawn from a symbol font is the sign the font means, or the style's own sign.
    level.pattern = format == QLatin1String("bullet") ? fromsymbolfont(face, text) : text;
}

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
            QList<ImportedListLevel> levels;
            while (xml.readNextStartElement()) {
                if (isword(xml, QLatin1String("lvl")))
                    readlevel(xml, levels);
                else
                    xml.skipCurrentElement();
            }
            m_abstract.insert(id, levels);
        } else if (isword(xml, QLatin1String("num"))) {
            const QString id = wordattribute(xml, QLatin1String("numId")).value_or(QString());
            Instance instance;
            while (xml.readNextStartElement()) {
                if (isword(xml, QLatin1String("abstractNumId"))) {
                    instance.abstract = value(xml);
                } else if (isword(xml, QLatin1String("lvlOverride"))) {
                    const int at = level(xml);
                    Override over;
                    while (xml.readNextStartElement()) {
                        if (isword(xml, QLatin1String("startOverride"))) {
                            over.start = value(xml).toInt();
                        } else if (isword(xml, QLatin1String("lvl"))) {
                            QList<ImportedListLevel> levels;
                            readlevel(xml, levels);
                            if (at >= 0 && at < levels.size())
                                over.level = levels.at(at);
                            continue;
                        }
                        xml.skipCurrentElement();
                    }
                    if (at >= 0 && at < levelCount)
                        instance.overrides.insert(at, over);
                    continue;
                }
                xml.skipCurrentElement();
            }
            m_instances.insert(id, instance);
        }
    }
    failifbroken(xml, package, part);
}

std::optional<DocxNumbering::Numbering> DocxNumbering::numbering(const QString &id) const
{
    const auto instance = m_instances.constFind(id);
    if (instance == m_instances.constEnd() || !m_abstract.contains(instance->abstract))
        return std::nullopt;
    Numbering numbering{m_abstract.value(instance->abstract),
                        QStringLiteral("abstract/") + instance->abstract};
    for (auto over = instance->overrides.constBegin(); over != instance->overrides.constEnd(); ++over) {
        while (numbering.levels.size() <= over.key())
            numbering.levels.append({QTextListFormat::ListDecimal, QString(), 1});
        if (over->level)
            numbering.levels[over.key()] = *over->level;
        if (over->start) {
            numbering.levels[over.key()].start = *over->start;
            numbering.countingKey = QStringLiteral("num/") + id;
        }
    }
    return numbering;
}

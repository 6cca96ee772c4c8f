#include "core/import/odtstyles.h"

#include <algorithm>

#include <QXmlStreamReader>

#include "core/import/odfxml.h"

namespace {

QString unquoted(QString family)
{
    family = family.trimmed();
    if (family.size() >= 2 && (family.startsWith(u'\'') || family.startsWith(u'"')) &&
        family.back() == family.front())
        return family.mid(1, family.size() - 2);
    return family;
}

std::optional<Qt::Alignment> textalign(const QString &align)
{
    if (align == QLatin1String("start") || align == QLatin1String("left"))
        return Qt::AlignLeft;
    if (align == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (align == QLatin1String("end") || align == QLatin1String("right"))
        return Qt::AlignRight;
    if (align == QLatin1String("justify"))
        return Qt::AlignJustify;
    return std::nullopt;
}

std::optional<bool> drawnline(const QString &lineStyle)
{
    if (lineStyle.isEmpty())
        return std::nullopt;
    return lineStyle != QLatin1String("none");
}

QTextListFormat::Style numberstyle(const QString &format)
{
    if (format.isEmpty())
        return QTextListFormat::ListStyleUndefined;
    if (format == QLatin1String("a"))
        return QTextListFormat::ListLowerAlpha;
    if (format == QLatin1String("A"))
        return QTextListFormat::ListUpperAlpha;
    if (format == QLatin1String("i"))
        return QTextListFormat::ListLowerRoman;
    if (format == QLatin1String("I"))
        return QTextListFormat::ListUpperRoman;
    // "1", and the numbers of scripts not known here, which are numbers all the same
    return QTextListFormat::ListDecimal;
}

// The mark of one level of a list style, from its <text:list-level-style-*> (or an outline's
// <text:outline-level-style>) element.
ImportedListLevel listlevel(const QXmlStreamReader &xml, int level)
{
    ImportedListLevel mark;
    if (odf::is(xml, odf::text, "list-level-style-bullet") ||
        odf::is(xml, odf::text, "list-level-style-image")) {
        static const QTextListFormat::Style bullets[] = {
            QTextListFormat::ListDisc, QTextListFormat::ListCircle, QTextListFormat::ListSquare};
        mark.style = bullets[level % 3];
        // Signs of a symbol font's private area mean nothing without it: the style's own sign.
        const QString sign = odf::attribute(xml, odf::text, "bullet-char");
        if (!sign.isEmpty() && !sign.front().isSurrogate() &&
            sign.front().category() != QChar::Other_PrivateUse)
            mark.pattern = sign;
        return mark;
    }
    mark.style = numberstyle(odf::attribute(xml, odf::style, "num-format"));
    bool ok = false;
    const int start = odf::attribute(xml, odf::text, "start-value").toInt(&ok);
    if (ok)
        mark.start = start;
    // The numbers of the levels above that the mark shows too, joined by full stops: "1.2".
    const int shown = qBound(1, odf::attribute(xml, odf::text, "display-levels").toInt(), level + 1);
    QStringList numbers;
    for (int above = level + 1 - shown; above <= level; ++above)
        numbers << u'%' + QString::number(above + 1);
    mark.pattern = odf::attribute(xml, odf::style, "num-prefix") + numbers.join(u'.') +
                   odf::attribute(xml, odf::style, "num-suffix");
    return mark;
}

} // namespace

void OdtStyles::read(QXmlStreamReader &xml)
{
    const bool faces = odf::is(xml, odf::office, "font-face-decls");
    while (xml.readNextStartElement()) {
        if (faces && odf::is(xml, odf::style, "font-face")) {
            m_faces.insert(odf::attribute(xml, odf::style, "name"),
                           unquoted(odf::attribute(xml, odf::svg, "font-family")));
            xml.skipCurrentElement();
        } else if (odf::is(xml, odf::style, "style")) {
            readstyle(xml, false);
        } else if (odf::is(xml, odf::style, "default-style")) {
            readstyle(xml, true);
        } else if (odf::is(xml, odf::text, "list-style")) {
            const QString name = odf::attribute(xml, odf::style, "name");
            m_lists.insert(name, readliststyle(xml));
        } else if (odf::is(xml, odf::text, "outline-style")) {
            m_outline = readliststyle(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
}

void OdtStyles::readstyle(QXmlStreamReader &xml, bool isDefault)
{
    const QString family = odf::attribute(xml, odf::style, "family");
    const QString name = odf::attribute(xml, odf::style, "name");
    Style style;
    style.parent = odf::attribute(xml, odf::style, "parent-style-name");
    while (xml.readNextStartElement()) {
        if (odf::is(xml, odf::style, "text-properties"))
            readtextproperties(xml, style);
        else if (odf::is(xml, odf::style, "paragraph-properties"))
            style.alignment = textalign(odf::attribute(xml, odf::fo, "text-align"));
        xml.skipCurrentElement();
    }
    if (isDefault && family == QLatin1String("paragraph"))
        m_defaultParagraph = style;
    else if (!isDefault && (family == QLatin1String("paragraph") || family == QLatin1String("text")))
        m_styles.insert(family + u'/' + name, style);
}

void OdtStyles::readtextproperties(QXmlStreamReader &xml, Style &style) const
{
    RunProperties &run = style.run;
    const QString weight = odf::attribute(xml, odf::fo, "font-weight");
    if (weight == QLatin1String("bold"))
        run.bold = true;
    else if (weight == QLatin1String("normal"))
        run.bold = false;
    else if (!weight.isEmpty())
        run.bold = weight.toInt() >= 600;
    const QString slant = odf::attribute(xml, odf::fo, "font-style");
    if (!slant.isEmpty())
        run.italic = slant != QLatin1String("normal");
    run.underline = drawnline(odf::attribute(xml, odf::style, "text-underline-style"));
    run.strike = drawnline(odf::attribute(xml, odf::style, "text-line-through-style"));
    const QString color = odf::attribute(xml, odf::fo, "color");
    if (!color.isEmpty())
        run.color = QColor(color);
    if (odf::attribute(xml, odf::style, "use-window-font-color") == QLatin1String("true"))
        run.color = QColor();
    const QString size = odf::attribute(xml, odf::fo, "font-size");
    bool ok = false;
    if (size.endsWith(QLatin1String("pt"))) {
        const qreal points = size.chopped(2).toDouble(&ok);
        if (ok && points > 0)
            run.points = points;
    } else if (size.endsWith(u'%')) {
        const qreal percent = size.chopped(1).toDouble(&ok);
        if (ok && percent > 0)
            style.relativeSize = percent / 100;
    }
    const QString fontName = odf::attribute(xml, odf::style, "font-name");
    if (!fontName.isEmpty())
        style.fontName = fontName;
    const QString family = odf::attribute(xml, odf::fo, "font-family");
    if (!family.isEmpty())
        run.face = unquoted(family);
    const QString display = odf::attribute(xml, odf::text, "display");
    if (!display.isEmpty())
        run.hidden = display == QLatin1String("none");
}

QList<ImportedListLevel> OdtStyles::readliststyle(QXmlStreamReader &xml)
{
    QList<ImportedListLevel> levels;
    while (xml.readNextStartElement()) {
        const int level = odf::attribute(xml, odf::text, "level").toInt() - 1;
        if (level >= 0 && level < 10) {
            while (levels.size() <= level)
                levels.append(ImportedListLevel());
            levels[level] = listlevel(xml, level);
        }
        xml.skipCurrentElement();
    }
    return levels;
}

QList<const OdtStyles::Style *> OdtStyles::chain(const QString &family, const QString &name) const
{
    QList<const Style *> styles;
    QString next = name;
    while (!next.isEmpty() && styles.size() < 64) {
        const auto found = m_styles.constFind(family + u'/' + next);
        if (found == m_styles.constEnd() || styles.contains(&found.value()))
            break;
        styles.prepend(&found.value());
        next = found->parent;
    }
    return styles;
}

RunProperties OdtStyles::resolve(const QList<const Style *> &styles, RunProperties run) const
{
    for (const Style *style : styles) {
        const std::optional<qreal> parentPoints = run.points;
        run.mergeFrom(style->run);
        if (style->relativeSize)
            run.points = parentPoints.value_or(12) * *style->relativeSize;
        if (style->fontName && !style->run.face)
            run.face = m_faces.value(*style->fontName, *style->fontName);
    }
    return run;
}

RunProperties OdtStyles::paragraphRun(const QString &name) const
{
    return resolve(chain(QStringLiteral("paragraph"), name), resolve({&m_defaultParagraph}, RunProperties()));
}

std::optional<Qt::Alignment> OdtStyles::alignment(const QString &name) const
{
    std::optional<Qt::Alignment> found = m_defaultParagraph.alignment;
    for (const Style *style : chain(QStringLiteral("paragraph"), name)) {
        if (style->alignment)
            found = style->alignment;
    }
    return found;
}

bool OdtStyles::setsBold(const QString &name) const
{
    const QList<const Style *> styles = chain(QStringLiteral("paragraph"), name);
    return std::any_of(styles.begin(), styles.end(),
                       [](const Style *style) { return style->run.bold.has_value(); });
}

bool OdtStyles::setsSize(const QString &name) const
{
    const QList<const Style *> styles = chain(QStringLiteral("paragraph"), name);
    return std::any_of(styles.begin(), styles.end(), [](const Style *style) {
        return style->run.points.has_value() || style->relativeSize.has_value();
    });
}

RunProperties OdtStyles::span(const QString &name, const RunProperties &base) const
{
    return resolve(chain(QStringLiteral("text"), name), base);
}

QList<ImportedListLevel> OdtStyles::listLevels(const QString &name) const
{
    return m_lists.value(name);
}

QList<ImportedListLevel> OdtStyles::outlineLevels() const
{
    return m_outline;
}

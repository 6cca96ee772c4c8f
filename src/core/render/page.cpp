#include "core/render/page.h"

#include <QLocale>

#include "core/engine/scriptmarkers.h"
#include "core/render/plaintextmarkup.h"
#include "core/render/specialchars.h"

QStringList pageheader()
{
    return {
        QStringLiteral("<!DOCTYPE html"),
        QStringLiteral("PUBLIC"),
        QStringLiteral("\"-//W3C//DTD XHTML 1.0 Transitional//EN\""),
        QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"),
        QStringLiteral("<html"),
        QStringLiteral("xmlns="),
        QStringLiteral("\"http://www.w3.org/1999/xhtml\""),
        QStringLiteral(">"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" "),
        QStringLiteral("content=\"text/html; "),
        QStringLiteral("charset=utf-8\" "),
        QStringLiteral("/>"),
        QStringLiteral("<title>Untitled Document</title>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral("<!--"),
        QStringLiteral("body,td,th {\t"),
    };
}

QStringList pagefooter()
{
    return {
        QStringLiteral("\tcolor: #FFFFFF;"),
        QStringLiteral("}"),
        QStringLiteral("body {"),
        QStringLiteral("\tbackground-color: "),
        QStringLiteral("#000000;"),
        QStringLiteral("}"),
        QStringLiteral("-->"),
        QStringLiteral("</style></head>"),
        QString(),
    };
}

namespace {
QString fontSizeLine(const PageFont &font)
{
    return QStringLiteral("font-size: %1px;").arg(font.size);
}
QString fontFamilyLine(const PageFont &font)
{
    return QStringLiteral("font-family: %1;").arg(font.name);
}
const QString endOfDocument = QStringLiteral("</body></html>");
} // namespace

QStringList emptypage(const PageFont &font)
{
    QStringList page = pageheader();
    page << fontSizeLine(font) << fontFamilyLine(font);
    page << pagefooter();
    page << endOfDocument;
    return page;
}

QString bodytag(bool mirror, bool rotate)
{
    QString tag = QStringLiteral("<body");
    if (mirror || rotate)
        tag += QStringLiteral(" style=\"filter:");
    if (mirror)
        tag += QStringLiteral(" progid:DXImageTransform.Microsoft.BasicImage(mirror=1)");
    if (rotate)
        tag += QStringLiteral(" progid:DXImageTransform.Microsoft.BasicImage(rotation=2)");
    if (mirror || rotate)
        tag += QLatin1Char('"');
    tag += QLatin1Char('>');
    return tag;
}

QStringList withbodytag(const QStringList &page, bool mirror, bool rotate)
{
    QStringList turned = page;
    for (QString &line : turned) {
        if (line.startsWith(QLatin1String("<body"))) {
            line = bodytag(mirror, rotate);
            break;
        }
    }
    return turned;
}

QStringList scriptmarkup(const QStringList &scriptlines, const QStringList &specialtable, ScriptText text)
{
    if (text == ScriptText::Markup)
        return scriptlines;
    // The table's page forms stand in the lines as the table wrote them, and the mark of a
    // heading as the script's reader put it there.
    const PlainTextMarkup plain(specialpageforms(specialtable) << headingmark());
    QStringList lines;
    lines.reserve(scriptlines.size());
    for (const QString &line : scriptlines)
        lines << plain.markup(line);
    return lines;
}

QStringList pagebody(const QStringList &scriptlines, const QStringList &specialtable, bool allcaps,
                     ScriptText text)
{
    const QLocale locale;
    const QString lineBreak = QStringLiteral("<br>");
    QStringList body;
    body.reserve(scriptlines.size());
    // Capitals after escaping: "&lt;" becomes "&LT;", which names the same sign.
    for (const QString &line : scriptmarkup(scriptlines, specialtable, text))
        body << (allcaps ? locale.toUpper(line) : line) + lineBreak;
    return body;
}

QStringList buildpage(QStringList &scriptlines, const QStringList &specialtable, const PageFont &font,
                      bool allcaps, bool mirror, bool rotate, ScriptText text,
                      const std::function<void(int index, int count)> &progress)
{
    convertchars(QStringLiteral("page"), scriptlines, specialtable, progress);

    const QStringList header = pageheader();
    const QStringList footer = pagefooter();
    QStringList page;
    page.reserve(header.size() + footer.size() + scriptlines.size() + 16);
    page << header << fontFamilyLine(font) << fontSizeLine(font) << footer << bodytag(mirror, rotate);

    page << pagebody(scriptlines, specialtable, allcaps, text);

    for (int i = 0; i < 11; ++i)
        page << QStringLiteral("<BR>");
    page << endOfDocument;
    return page;
}

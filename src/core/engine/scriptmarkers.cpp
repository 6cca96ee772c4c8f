#include "core/engine/scriptmarkers.h"

#include <QLocale>
#include <QTextDocumentFragment>

namespace {

const QString markerSign = QStringLiteral("##");

const QString headingClass = QStringLiteral("vantell-heading");

// A line can only hold a marker if its text holds the sign, written or as a character reference
// (a numeric one, or &num;), or the line holds the mark of a heading. A sign inside a tag (a
// colour, in nearly every line of a rich script) is none: such lines need not be read as HTML.
bool maymark(const QString &line)
{
    if (line.contains(headingClass))
        return true;
    bool inTag = false;
    for (qsizetype at = 0; at < line.size(); ++at) {
        const QChar c = line.at(at);
        if (c == QLatin1Char('<'))
            inTag = true;
        else if (c == QLatin1Char('>'))
            inTag = false;
        else if (!inTag && c == QLatin1Char('#'))
            return true;
        else if (!inTag && c == QLatin1Char('&') &&
                 (QStringView(line).mid(at + 1).startsWith(QLatin1Char('#')) ||
                  QStringView(line).mid(at + 1).startsWith(QLatin1String("num"), Qt::CaseInsensitive)))
            return true;
    }
    return false;
}

// The tags of `line`, in order, without the text between them.
QString tagsonly(const QString &line)
{
    QString tags;
    bool inTag = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('<'))
            inTag = true;
        if (inTag)
            tags += c;
        if (c == QLatin1Char('>'))
            inTag = false;
    }
    return tags;
}

// Where the line's text starts: after the tags that open it.
qsizetype textstart(const QString &line)
{
    qsizetype at = 0;
    while (at < line.size() && line.at(at) == QLatin1Char('<')) {
        const qsizetype close = line.indexOf(QLatin1Char('>'), at);
        if (close < 0)
            break;
        at = close + 1;
    }
    return at;
}

int bodyline(const QStringList &page)
{
    for (int i = 0; i < page.size(); ++i)
        if (page.at(i).startsWith(QLatin1String("<body")))
            return i;
    return -1;
}

} // namespace

QString linetext(const QString &line)
{
    // Most lines hold neither tags nor references: they are their own text.
    if (!line.contains(QLatin1Char('<')) && !line.contains(QLatin1Char('&')))
        return line;
    return QTextDocumentFragment::fromHtml(line).toPlainText();
}

QString headingmark()
{
    return QStringLiteral("<a class=\"%1\"></a>").arg(headingClass);
}

namespace {

std::optional<ScriptMarker> markerof(const QString &line, int index)
{
    if (!maymark(line))
        return std::nullopt;
    const QString text = linetext(line).trimmed();
    if (text.startsWith(markerSign))
        return ScriptMarker{index, text.mid(markerSign.size()).trimmed()};
    // An empty heading names no place.
    if (line.contains(headingmark()) && !text.isEmpty())
        return ScriptMarker{index, text, true};
    return std::nullopt;
}

} // namespace

std::optional<QString> markername(const QString &line)
{
    if (const std::optional<ScriptMarker> marker = markerof(line, 0))
        return marker->name;
    return std::nullopt;
}

QList<ScriptMarker> findmarkers(const QStringList &scriptlines)
{
    QList<ScriptMarker> markers;
    for (int i = 0; i < scriptlines.size(); ++i)
        if (const std::optional<ScriptMarker> marker = markerof(scriptlines.at(i), i))
            markers.append(*marker);
    return markers;
}

void markpage(QStringList &page, const QList<ScriptMarker> &markers, MarkerDisplay display, bool allcaps)
{
    const int body = bodyline(page);
    if (body < 0)
        return;
    const QLocale locale;
    for (const ScriptMarker &marker : markers) {
        const int at = body + 1 + marker.line;
        if (at >= page.size())
            continue;
        const QString line = page.at(at);
        // A heading shown keeps its line as it is: the place is marked where its text starts. The
        // page may show it in capitals, tags and all.
        const qsizetype mark = line.indexOf(headingmark(), 0, Qt::CaseInsensitive);
        if (marker.heading && display == MarkerDisplay::Quiet && mark >= 0) {
            const qsizetype after = mark + headingmark().size();
            page[at] =
                line.left(after) + QStringLiteral("<span class=\"vantell-marker\"></span>") + line.mid(after);
            continue;
        }
        const qsizetype start = textstart(line);
        QString shown;
        if (display == MarkerDisplay::Quiet) {
            const QString name = allcaps ? locale.toUpper(marker.name) : marker.name;
            shown = QStringLiteral("## ") + name.toHtmlEscaped();
        }
        const QString element = display == MarkerDisplay::Quiet
                                    ? QStringLiteral("<span class=\"vantell-marker\" style=\"opacity: 0.45; "
                                                     "font-size: 0.6em; font-style: italic;\">%1</span>")
                                          .arg(shown)
                                    : QStringLiteral("<span class=\"vantell-marker\"></span>");
        QString rest = tagsonly(line.mid(start));
        // A hidden marker takes no line of its own on the page.
        if (display == MarkerDisplay::Hidden && rest.endsWith(QLatin1String("<br>")))
            rest.chop(4);
        page[at] = line.left(start) + element + rest;
    }
}

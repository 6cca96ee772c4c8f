#include "core/rundown/storybanner.h"

#include <QSet>

#include "core/engine/readingestimate.h"

namespace {

const QString bannerAttribute = QStringLiteral("data-vantell-banner");

// Smaller than the script and set apart from it: the talent sees where one story ends and the
// next begins without taking the banner for words to read. Amber on a dark band stays readable
// on the black page and in capitals (CSS keywords and colours ignore case).
const QString bannerStyle = QStringLiteral(
    "display: block; font-size: 0.7em; font-weight: bold; font-style: normal; text-decoration: none; "
    "color: #FFC000; background-color: #303030; border-top: 2px solid #FFC000; "
    "padding: 0.1em 0.4em; margin: 0.3em 0;");
const QString partStyle = QStringLiteral("margin-right: 1.2em;");

QString part(const QString &text)
{
    return QStringLiteral("<span style=\"%1\">%2</span>").arg(partStyle, text.toHtmlEscaped());
}

bool isvoid(const QString &element)
{
    static const QSet<QString> voids{
        QStringLiteral("area"),  QStringLiteral("base"),   QStringLiteral("br"),
        QStringLiteral("col"),   QStringLiteral("embed"),  QStringLiteral("hr"),
        QStringLiteral("img"),   QStringLiteral("input"),  QStringLiteral("link"),
        QStringLiteral("meta"),  QStringLiteral("param"),  QStringLiteral("source"),
        QStringLiteral("track"), QStringLiteral("wbr"),    QStringLiteral("basefont"),
        QStringLiteral("frame"), QStringLiteral("keygen"), QStringLiteral("isindex")};
    return voids.contains(element);
}

// Elements whose start closes an open paragraph, as the page's parser closes it.
bool closesparagraph(const QString &element)
{
    static const QSet<QString> blocks{
        QStringLiteral("address"), QStringLiteral("blockquote"), QStringLiteral("center"),
        QStringLiteral("div"),     QStringLiteral("dl"),         QStringLiteral("h1"),
        QStringLiteral("h2"),      QStringLiteral("h3"),         QStringLiteral("h4"),
        QStringLiteral("h5"),      QStringLiteral("h6"),         QStringLiteral("hr"),
        QStringLiteral("ol"),      QStringLiteral("p"),          QStringLiteral("pre"),
        QStringLiteral("table"),   QStringLiteral("ul"),         QStringLiteral("li")};
    return blocks.contains(element);
}

// The name of the element a tag's text (between its angle brackets) opens or closes.
QString tagname(QStringView tag)
{
    qsizetype end = 0;
    while (end < tag.size() && (tag.at(end).isLetterOrNumber() || tag.at(end) == QLatin1Char('-')))
        ++end;
    return tag.first(end).toString().toLower();
}

void closeopen(QStringList &open, const QString &element)
{
    for (qsizetype at = open.size() - 1; at >= 0; --at) {
        if (open.at(at) == element) {
            open.remove(at, open.size() - at);
            return;
        }
    }
}

// A new list item closes the item open in the same list, not one of a list around it.
void closelistitem(QStringList &open)
{
    for (qsizetype at = open.size() - 1; at >= 0; --at) {
        const QString &element = open.at(at);
        if (element == QLatin1String("ul") || element == QLatin1String("ol"))
            return;
        if (element == QLatin1String("li")) {
            open.remove(at, open.size() - at);
            return;
        }
    }
}

} // namespace

QString bannerline(const StoryBanner &banner)
{
    // Spaces between the parts: the banner reads as words to assistive tools and to searches.
    QString text = part(banner.number) + QLatin1Char(' ') + part(banner.name);
    if (banner.readingMs >= 0)
        text += QLatin1Char(' ') + part(readingclock(banner.readingMs));
    if (!banner.note.isEmpty())
        text += QLatin1Char(' ') + part(banner.note);
    return QStringLiteral("<span %1=\"\" style=\"%2\">%3</span>").arg(bannerAttribute, bannerStyle, text);
}

bool isbannerline(const QString &line)
{
    return line.contains(bannerAttribute, Qt::CaseInsensitive);
}

QString closingtags(const QStringList &lines)
{
    QStringList open;
    for (const QString &line : lines) {
        qsizetype at = line.indexOf(QLatin1Char('<'));
        while (at >= 0) {
            if (QStringView(line).mid(at).startsWith(QLatin1String("<!--"))) {
                const qsizetype end = line.indexOf(QLatin1String("-->"), at + 4);
                if (end < 0)
                    break;
                at = line.indexOf(QLatin1Char('<'), end + 3);
                continue;
            }
            const qsizetype close = line.indexOf(QLatin1Char('>'), at);
            if (close < 0)
                break;
            const QStringView tag = QStringView(line).mid(at + 1, close - at - 1);
            if (tag.startsWith(QLatin1Char('/'))) {
                closeopen(open, tagname(tag.mid(1)));
            } else if (!tag.startsWith(QLatin1Char('!')) && !tag.startsWith(QLatin1Char('?'))) {
                const QString element = tagname(tag);
                if (!open.isEmpty() && open.last() == QLatin1String("p") && closesparagraph(element))
                    open.removeLast();
                if (element == QLatin1String("li"))
                    closelistitem(open);
                if (!element.isEmpty() && !isvoid(element) && !tag.endsWith(QLatin1Char('/')))
                    open << element;
            }
            at = line.indexOf(QLatin1Char('<'), close + 1);
        }
    }
    QString closing;
    for (auto element = open.crbegin(); element != open.crend(); ++element)
        closing += QStringLiteral("</%1>").arg(*element);
    return closing;
}

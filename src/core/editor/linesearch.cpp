#include "core/editor/linesearch.h"

void LineSearch::reset()
{
    searchline = 0;
    searchcol = 0;
    searchtext.clear();
}

LineSearch::Result LineSearch::findnext(const QStringList &lines, const QString &findWhat, bool matchCase)
{
    const int count = static_cast<int>(lines.size());
    if (searchline >= count)
        searchline = 0;
    if (searchtext.isEmpty())
        searchtext = matchCase ? findWhat : foldcase(findWhat);
    if (searchtext.isEmpty() || count == 0)
        return {};
    for (;;) {
        const int from = searchcol == 0 ? 0 : searchcol - 1;
        QString segment = lines.at(searchline).mid(from);
        // Match case is read on every line too: switched on during a walk latched without it,
        // the folded text then only meets lines written in capitals.
        if (!matchCase)
            segment = foldcase(segment);
        const qsizetype at = segment.indexOf(searchtext);
        if (at >= 0) {
            const int column = from + static_cast<int>(at) + 1;
            searchcol = column + 1;
            return {Result::Found, searchline, column, static_cast<int>(searchtext.size())};
        }
        if (searchline == count - 1) {
            // The next step starts over at the very start of the first line; a column left
            // from a match in the last line would otherwise hide the start of the first line.
            searchline = count;
            searchcol = 0;
            searchtext.clear();
            return {Result::NotFound, 0, 0, 0};
        }
        ++searchline;
        searchcol = 0;
    }
}

QString LineSearch::foldcase(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    return folded;
}

#include "core/import/listnumbering.h"

#include <array>
#include <optional>

#include <QHash>

#include "core/import/importedtext.h"

namespace {

constexpr int levelCount = 9;

// What a word processor writes when the letters run out: "aa" after "z", then "bb".
QString letters(int number, char16_t first)
{
    const int index = (number - 1) % 26;
    const int repeats = (number - 1) / 26 + 1;
    return QString(qMin(repeats, 50), QChar(char16_t(first + index)));
}

QString roman(int number)
{
    static const std::pair<int, const char *> numerals[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString text;
    for (const auto &[value, numeral] : numerals) {
        while (number >= value) {
            text += QLatin1String(numeral);
            number -= value;
        }
    }
    return text;
}

bool isbullet(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

QString bullet(QTextListFormat::Style style)
{
    if (style == QTextListFormat::ListCircle)
        return QStringLiteral("\u25E6");
    if (style == QTextListFormat::ListSquare)
        return QStringLiteral("\u25AA");
    return QStringLiteral("\u2022");
}

// The numbers a list has reached, level by level; none for a level not counted since it started
// again.
using Counters = std::array<std::optional<int>, levelCount>;

// The list that counts for `list`: the first of the lists it goes on from (a loop of lists is
// cut).
int countinglist(const ImportedText &text, int list)
{
    for (int steps = 0; steps < text.lists.size(); ++steps) {
        const int next = text.lists.at(list).continues;
        if (next < 0 || next >= text.lists.size() || next == list)
            break;
        list = next;
    }
    return list;
}

QString label(const QList<ImportedListLevel> &levels, int level, const Counters &counters)
{
    const ImportedListLevel &own = levels.at(level);
    if (isbullet(own.style))
        return own.pattern.isEmpty() ? bullet(own.style) : own.pattern;
    if (own.style == QTextListFormat::ListStyleUndefined)
        return QString();
    if (own.pattern.isEmpty())
        return listnumber(counters.at(level).value_or(own.start), own.style) + u'.';
    QString text;
    for (qsizetype at = 0; at < own.pattern.size(); ++at) {
        const QChar c = own.pattern.at(at);
        const int referenced = at + 1 < own.pattern.size() ? own.pattern.at(at + 1).digitValue() - 1 : -1;
        if (c != u'%' || referenced < 0 || referenced >= levelCount) {
            text += c;
            continue;
        }
        ++at;
        // A level above that no item has counted yet stands at its first number.
        if (referenced < levels.size()) {
            const ImportedListLevel &shown = levels.at(referenced);
            const int number = counters.at(referenced).value_or(shown.start);
            if (!isbullet(shown.style) && shown.style != QTextListFormat::ListStyleUndefined)
                text += listnumber(number, shown.style);
        }
    }
    return text;
}

} // namespace

QString listnumber(int number, QTextListFormat::Style style)
{
    if (number > 0 && number < 4000) {
        switch (style) {
        case QTextListFormat::ListLowerAlpha:
            return letters(number, u'a');
        case QTextListFormat::ListUpperAlpha:
            return letters(number, u'A');
        case QTextListFormat::ListLowerRoman:
            return roman(number);
        case QTextListFormat::ListUpperRoman:
            return roman(number).toUpper();
        default:
            break;
        }
    }
    return QString::number(number);
}

QStringList listlabels(const ImportedText &text)
{
    QStringList labels;
    labels.reserve(text.paragraphs.size());
    QHash<int, Counters> counting;
    for (const ImportedParagraph &paragraph : text.paragraphs) {
        if (paragraph.list < 0 || paragraph.list >= text.lists.size()) {
            labels.append(QString());
            continue;
        }
        const QList<ImportedListLevel> &levels = text.lists.at(paragraph.list).levels;
        const int level = paragraph.level;
        if (level < 0 || level >= levels.size() || level >= levelCount) {
            labels.append(QString());
            continue;
        }
        Counters &counters = counting[countinglist(text, paragraph.list)];
        std::optional<int> &number = counters[level];
        if (paragraph.startsAt)
            number = *paragraph.startsAt;
        else if (number)
            number = qMin(*number, 1000000) + 1;
        else
            number = levels.at(level).start;
        for (int deeper = level + 1; deeper < levelCount; ++deeper)
            counters[deeper].reset();
        labels.append(label(levels, level, counters));
    }
    return labels;
}

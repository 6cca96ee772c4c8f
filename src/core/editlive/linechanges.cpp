#include "core/editlive/linechanges.h"

#include <QHash>

NumberedLines numberedlines(const QStringList &before, const QStringList &after)
{
    QHash<QString, int> numbers;
    const auto number = [&numbers](const QString &text) {
        auto found = numbers.constFind(text);
        if (found == numbers.constEnd())
            found = numbers.insert(text, static_cast<int>(numbers.size()));
        return found.value();
    };
    NumberedLines numbered;
    numbered.before.reserve(before.size());
    numbered.after.reserve(after.size());
    for (const QString &text : before)
        numbered.before.push_back(number(text));
    for (const QString &text : after)
        numbered.after.push_back(number(text));
    return numbered;
}

std::vector<std::pair<qsizetype, qsizetype>> keptlines(const QStringList &before, const QStringList &after,
                                                       qsizetype maxCompared)
{
    const qsizetype n = before.size();
    const qsizetype m = after.size();
    std::vector<std::pair<qsizetype, qsizetype>> kept;
    qsizetype head = 0;
    while (head < n && head < m && before.at(head) == after.at(head))
        kept.emplace_back(head, head), ++head;
    qsizetype tail = 0;
    while (tail < n - head && tail < m - head && before.at(n - 1 - tail) == after.at(m - 1 - tail))
        ++tail;
    const qsizetype rows = n - head - tail;
    const qsizetype columns = m - head - tail;
    if (rows > 0 && columns > 0 && rows <= maxCompared && columns <= maxCompared) {
        const NumberedLines numbered = numberedlines(before.mid(head, rows), after.mid(head, columns));
        const std::vector<int> &was = numbered.before;
        const std::vector<int> &is = numbered.after;
        // The longest common subsequence of the middle parts.
        std::vector<std::vector<int>> length(rows + 1, std::vector<int>(columns + 1, 0));
        for (qsizetype i = rows - 1; i >= 0; --i)
            for (qsizetype j = columns - 1; j >= 0; --j)
                length[i][j] =
                    was[i] == is[j] ? length[i + 1][j + 1] + 1 : std::max(length[i + 1][j], length[i][j + 1]);
        qsizetype i = 0, j = 0;
        while (i < rows && j < columns) {
            if (was[i] == is[j])
                kept.emplace_back(head + i++, head + j++);
            else if (length[i + 1][j] >= length[i][j + 1])
                ++i;
            else
                ++j;
        }
    }
    for (qsizetype k = 0; k < tail; ++k)
        kept.emplace_back(n - tail + k, m - tail + k);
    return kept;
}

QList<LineChange> linechanges(const QStringList &before, const QStringList &after)
{
    QList<LineChange> changes;
    qsizetype from = 0, to = 0;
    const auto gap = [&changes, &from, &to](qsizetype nextFrom, qsizetype nextTo) {
        if (nextFrom > from || nextTo > to)
            changes.append(LineChange{int(from), int(nextFrom - from), int(to), int(nextTo - to)});
        from = nextFrom + 1;
        to = nextTo + 1;
    };
    for (const auto &[kept, keptTo] : keptlines(before, after))
        gap(kept, keptTo);
    gap(before.size(), after.size());
    return changes;
}

void applylinechanges(QStringList &lines, const QList<LineChange> &changes, const QStringList &after)
{
    if (changes.isEmpty())
        return;
    QStringList changed;
    changed.reserve(lines.size() + after.size());
    qsizetype from = 0;
    for (const LineChange &change : changes) {
        changed.append(lines.mid(from, change.at - from));
        changed.append(after.mid(change.first, change.count));
        from = change.at + change.removed;
    }
    changed.append(lines.mid(from));
    lines = changed;
}

#include "core/rundown/showchange.h"

#include <QHash>

QList<int> stayingstories(const QList<int> &before, const QList<int> &after)
{
    QHash<int, int> place;
    for (int i = 0; i < before.size(); ++i)
        place.insert(before.at(i), i);
    // The longest increasing run of old places along the new order (patience sorting): `tails[n]`
    // is the index in `after` that ends the best run of n + 1 found so far.
    QList<int> tails;
    QList<int> previous(after.size(), -1);
    for (int i = 0; i < after.size(); ++i) {
        const auto found = place.constFind(after.at(i));
        if (found == place.cend())
            continue;
        int low = 0;
        int high = int(tails.size());
        while (low < high) {
            const int middle = (low + high) / 2;
            if (place.value(after.at(tails.at(middle))) < *found)
                low = middle + 1;
            else
                high = middle;
        }
        if (low > 0)
            previous[i] = tails.at(low - 1);
        if (low == tails.size())
            tails << i;
        else
            tails[low] = i;
    }
    QList<int> staying;
    for (int i = tails.isEmpty() ? -1 : tails.last(); i >= 0; i = previous.at(i))
        staying.prepend(after.at(i));
    return staying;
}

QList<RundownEntry> keepingonair(const QList<RundownEntry> &before, const QList<RundownEntry> &after,
                                 int onAirKey, const QString &note)
{
    for (const RundownEntry &entry : after)
        if (entry.key == onAirKey && !entry.floated)
            return after;
    qsizetype onAir = -1;
    for (qsizetype i = 0; i < before.size(); ++i)
        if (before.at(i).key == onAirKey && !before.at(i).floated)
            onAir = i;
    if (onAir < 0)
        return after;
    QList<RundownEntry> kept = after;
    // A floated story is still in the show's list: it leaves it for the kept one.
    kept.removeIf([onAirKey](const RundownEntry &entry) { return entry.key == onAirKey; });
    // After the story before it that is still there, or first.
    qsizetype at = 0;
    for (qsizetype i = onAir - 1; i >= 0 && at == 0; --i)
        for (qsizetype j = 0; j < kept.size(); ++j)
            if (kept.at(j).key == before.at(i).key)
                at = j + 1;
    RundownEntry held = before.at(onAir);
    held.note = note;
    kept.insert(at, held);
    return kept;
}

QStringList storypagelines(const QStringList &page, const StorySpan &span)
{
    for (qsizetype body = 0; body < page.size(); ++body) {
        if (!page.at(body).startsWith(QLatin1String("<body"), Qt::CaseInsensitive))
            continue;
        const qsizetype first = body + 1 + span.firstLine;
        if (span.firstLine < 0 || first + span.lineCount > page.size())
            return {};
        return page.mid(first, span.lineCount);
    }
    return {};
}

QString storybannermarkup(const QStringList &page, const StorySpan &span)
{
    QString line = storypagelines(page, span).value(0);
    if (line.endsWith(QLatin1String("<br>"), Qt::CaseInsensitive))
        line.chop(4);
    return line.mid(line.indexOf(QLatin1Char('>')) + 1);
}

#pragma once

#include <utility>
#include <vector>

#include <QList>
#include <QStringList>

// One stretch of lines an edit changed: `removed` lines from `at` of the old text gave way to
// `count` lines from `first` of the new one. A stretch that only adds has nothing removed; one
// that only removes adds nothing.
struct LineChange {
    int at = 0;
    int removed = 0;
    int first = 0;
    int count = 0;
    bool operator==(const LineChange &) const = default;
};

// Each line of two texts as a number standing for its text: equal texts, equal numbers.
struct NumberedLines {
    std::vector<int> before;
    std::vector<int> after;
};
NumberedLines numberedlines(const QStringList &before, const QStringList &after);

// The lines an edit left as they were, as pairs (old index, new index) in order: the common start
// and end, and between them the longest common run of lines. Beyond `maxCompared` lines between
// the common start and end only those two count, so that the work stays small whatever comes.
std::vector<std::pair<qsizetype, qsizetype>> keptlines(const QStringList &before, const QStringList &after,
                                                       qsizetype maxCompared = 1000);

// What changed from `before` to `after`: the stretches between the lines kept, in order.
QList<LineChange> linechanges(const QStringList &before, const QStringList &after);

// `lines` with `changes` (found from them) made, the new lines taken from `after`.
void applylinechanges(QStringList &lines, const QList<LineChange> &changes, const QStringList &after);

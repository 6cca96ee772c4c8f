#include "core/voice/wordmatcher.h"

#include <QList>
#include <QSet>
#include <QVarLengthArray>

namespace {

int editdistance(const QString &a, const QString &b)
{
    QVarLengthArray<int, 32> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = qMin(qMin(row[j] + 1, row[j - 1] + 1), diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1));
            diagonal = above;
        }
    }
    return row[b.size()];
}

struct Cell {
    double score = 0;
    int matched = 0;
    int end = -1;    // the script word of the alignment's last match
    double base = 0; // the score up to the script word placed before (see match)
};

} // namespace

double WordMatcher::similarity(const QString &heard, const QString &scripted)
{
    static const QSet<QString> commonest = {
        QStringLiteral("a"),   QStringLiteral("an"),   QStringLiteral("and"),  QStringLiteral("are"),
        QStringLiteral("as"),  QStringLiteral("at"),   QStringLiteral("be"),   QStringLiteral("but"),
        QStringLiteral("by"),  QStringLiteral("for"),  QStringLiteral("from"), QStringLiteral("he"),
        QStringLiteral("i"),   QStringLiteral("in"),   QStringLiteral("is"),   QStringLiteral("it"),
        QStringLiteral("of"),  QStringLiteral("on"),   QStringLiteral("or"),   QStringLiteral("that"),
        QStringLiteral("the"), QStringLiteral("this"), QStringLiteral("to"),   QStringLiteral("was"),
        QStringLiteral("we"),  QStringLiteral("with"), QStringLiteral("you"),
    };
    if (heard == scripted)
        return commonest.contains(heard) ? common : exact;
    if (scripted == QLatin1String("*"))
        return wildcard;
    // Short words are too easily alike: "a" and "i" are different words.
    const qsizetype longer = qMax(heard.size(), scripted.size());
    if (qMin(heard.size(), scripted.size()) < 3)
        return miss;
    return editdistance(heard, scripted) * 3 <= longer ? near : miss;
}

WordMatch WordMatcher::match(const QStringList &heard, const QStringList &script, int from, int to,
                             int placed)
{
    from = qMax(0, from);
    to = qMin(int(script.size()), to);
    const int columns = to - from;
    WordMatch best;
    if (heard.isEmpty() || columns <= 0)
        return best;
    // Smith-Waterman over heard words (rows) and script words (columns), one row kept at a time.
    QList<Cell> previous(columns + 1), current(columns + 1);
    const qsizetype lastRows = qMax<qsizetype>(1, heard.size() - 1);
    for (qsizetype i = 1; i <= heard.size(); ++i) {
        current[0] = Cell();
        for (int j = 1; j <= columns; ++j) {
            const double alike = similarity(heard.at(i - 1), script.at(from + j - 1));
            Cell cell;
            const Cell &diagonal = previous[j - 1];
            if (diagonal.score + alike > cell.score) {
                const bool hit = alike > 0;
                cell = {diagonal.score + alike, diagonal.matched + (hit ? 1 : 0),
                        hit ? from + j - 1 : diagonal.end, diagonal.base};
            }
            // A heard word the script does not hold costs a gap, unless it is the word before
            // again: recognisers double words, and speakers stumble.
            const double extra = i >= 2 && heard.at(i - 1) == heard.at(i - 2) ? 0 : gap;
            if (previous[j].score + extra > cell.score)
                cell = {previous[j].score + extra, previous[j].matched, previous[j].end, previous[j].base};
            if (current[j - 1].score + gap > cell.score)
                cell = {current[j - 1].score + gap, current[j - 1].matched, current[j - 1].end,
                        current[j - 1].base};
            if (from + j - 1 <= placed)
                cell.base = cell.score;
            current[j] = cell;
            // Ties go to the earlier script word: a repeated phrase is taken at its next
            // occurrence, the nearest to where the reader is.
            if (i >= lastRows && cell.end >= 0 && cell.score > best.score)
                best = {cell.end, cell.matched, cell.score, cell.score - cell.base};
        }
        std::swap(previous, current);
    }
    return best;
}

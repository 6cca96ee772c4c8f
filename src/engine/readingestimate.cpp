#include "engine/readingestimate.h"

#include <algorithm>

#include <QRegularExpression>

#include "engine/scriptmarkers.h"

int wordcount(const QStringList &scriptlines)
{
    static const QRegularExpression word(QStringLiteral("[\\w'’-]+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    int words = 0;
    for (const QString &line : scriptlines) {
        if (markername(line))
            continue;
        auto match = word.globalMatch(linetext(line));
        while (match.hasNext()) {
            match.next();
            ++words;
        }
    }
    return words;
}

qint64 readingms(int words, int wpm)
{
    wpm = std::clamp(wpm, ReadingPace::minWpm, ReadingPace::maxWpm);
    return qint64(words) * 60000 / wpm;
}

QDateTime endforecast(const QDateTime &now, qint64 remainingMs, qint64 steadyMs, bool running)
{
    if (!running || steadyMs < steadyAfterMs)
        return {};
    return now.addMSecs(remainingMs);
}

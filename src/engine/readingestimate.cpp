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

QString readingclock(qint64 ms)
{
    // Rounded to the nearest second: an estimate of 59.6 s reads as a minute.
    const qint64 seconds = (std::max<qint64>(ms, 0) + 500) / 1000;
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QDateTime endforecast(const QDateTime &now, qint64 remainingMs, qint64 steadyMs, bool running)
{
    if (!running || steadyMs < steadyAfterMs)
        return {};
    return now.addMSecs(remainingMs);
}

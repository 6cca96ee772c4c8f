#pragma once

#include <QDateTime>
#include <QStringList>

// How long a script takes to read aloud, from its words and a reading pace in words per minute.
struct ReadingPace {
    static constexpr int defaultWpm = 180;
    static constexpr int minWpm = 60;
    static constexpr int maxWpm = 400;
};

// The words of `scriptlines` as the reader sees them (markup dropped); marker lines and story
// banners are not read.
int wordcount(const QStringList &scriptlines);
// The reading time of `words` at `wpm` words a minute (kept within the pace's range), in ms.
qint64 readingms(int words, int wpm);

// A reading time as the queue shows it: "m:ss", or "h:mm:ss" from an hour on.
QString readingclock(qint64 ms);

// When the script will end: `remainingMs` from `now`, once the speed has been steady for a while
// (`steadyMs` since it last changed); an invalid time while it is not, or while the page is still.
QDateTime endforecast(const QDateTime &now, qint64 remainingMs, qint64 steadyMs, bool running);
constexpr qint64 steadyAfterMs = 3000;

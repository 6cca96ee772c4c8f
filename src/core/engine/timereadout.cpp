#include "core/engine/timereadout.h"

#include <algorithm>
#include <limits>

QString twodigits(const QString &text)
{
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

QString clocktext(qint32 ms)
{
    const qint32 hundredths = (ms % 1000) / 10;
    qint32 seconds = ms / 1000;
    qint32 minutes = 0;
    if (seconds >= 60) {
        minutes = seconds / 60;
        seconds -= 60 * minutes;
    }
    qint32 hours = 0;
    if (minutes >= 60) {
        hours = minutes / 60;
        minutes -= 60 * hours;
    }
    return twodigits(QString::number(hours)) + QLatin1Char(':') + twodigits(QString::number(minutes)) +
           QLatin1Char(':') + twodigits(QString::number(seconds)) + QLatin1Char(':') +
           twodigits(QString::number(hundredths));
}

qint32 scrolltime(qint32 distance, qint32 coarse, qint32 interval)
{
    const qint64 ticks = coarse != 0 ? distance / coarse : 0;
    const qint64 ms = ticks * std::max<qint64>(interval, 10);
    return static_cast<qint32>(
        std::clamp<qint64>(ms, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

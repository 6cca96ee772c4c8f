#include "core/rundown/backtiming.h"

#include <cstdlib>

#include <QRegularExpression>
#include <QTimeZone>

#include "core/engine/readingestimate.h"

std::optional<QTime> parseshowend(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QDateTime nearestoccurrence(const QTime &time, const QDateTime &now)
{
    QDateTime nearest;
    for (int days = -1; days <= 1; ++days) {
        const QDateTime candidate(now.date().addDays(days), time, now.timeZone());
        if (!nearest.isValid() || std::llabs(now.msecsTo(candidate)) < std::llabs(now.msecsTo(nearest)))
            nearest = candidate;
    }
    return nearest;
}

std::optional<QDateTime> runningorderend(const QString &editorialStart, const QString &editorialDuration)
{
    // MOS writes its times with a comma or a point before the fractions of a second.
    static const QRegularExpression startForm(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2})(?:[.,]\\d+)?(Z|[+-]\\d{2}:?\\d{2})?$"));
    static const QRegularExpression durationForm(
        QStringLiteral("^(\\d{1,3}):(\\d{2}):(\\d{2})(?:[.,]\\d+)?$"));
    const QRegularExpressionMatch start = startForm.match(editorialStart.trimmed());
    const QRegularExpressionMatch duration = durationForm.match(editorialDuration.trimmed());
    if (!start.hasMatch() || !duration.hasMatch())
        return std::nullopt;
    QString zone = start.captured(2);
    if (zone.size() == 5)
        zone.insert(3, QLatin1Char(':'));
    // Without a zone the time is the newsroom's local time, which is the studio's.
    const QDateTime begins = QDateTime::fromString(start.captured(1) + zone, Qt::ISODate);
    const int minutes = duration.captured(2).toInt();
    const int seconds = duration.captured(3).toInt();
    if (!begins.isValid() || minutes > 59 || seconds > 59)
        return std::nullopt;
    const qint64 length = (duration.captured(1).toLongLong() * 3600 + minutes * 60 + seconds) * 1000;
    return begins.addMSecs(length).toLocalTime();
}

qint64 overunderms(qint64 readingLeftMs, const QDateTime &now, const QDateTime &showEnd)
{
    return readingLeftMs - now.msecsTo(showEnd);
}

QString overundertext(qint64 ms)
{
    // Rounded to the second as the clocks are; a show exactly on time is over by nothing.
    const qint64 seconds = (std::llabs(ms) + 500) / 1000;
    const QString sign = ms < 0 && seconds > 0 ? QStringLiteral("\u2212") : QStringLiteral("+");
    return sign + readingclock(seconds * 1000);
}

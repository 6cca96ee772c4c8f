#pragma once

#include <optional>

#include <QDateTime>
#include <QString>
#include <QTime>

// Back-timing against the show's planned end: the reading time left from the reading line, at the
// pace set, against the time left until the end. Over (positive) when the show runs long.

// A time of day as the operator and the control API write it: "HH:MM:SS" (hours 0 to 23); nothing
// for any other text.
std::optional<QTime> parseshowend(const QString &text);

// The moment of `time` nearest to `now`: today's, yesterday's or tomorrow's, so that an end set
// late in the evening for a show that runs past midnight is tomorrow's.
QDateTime nearestoccurrence(const QTime &time, const QDateTime &now);

// The end a newsroom's running order plans: its editorial start (a MOS time,
// "2024-03-05T18:00:00", with or without fractions of a second and a zone) and its editorial
// duration ("hh:mm:ss"). Nothing unless both are there and readable.
std::optional<QDateTime> runningorderend(const QString &editorialStart, const QString &editorialDuration);

// How long the show runs over its planned end (negative: under), in milliseconds.
qint64 overunderms(qint64 readingLeftMs, const QDateTime &now, const QDateTime &showEnd);

// An over/under time as the status line shows it: "+1:05" over, "−0:45" under, to the second.
QString overundertext(qint64 ms);

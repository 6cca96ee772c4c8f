#pragma once

#include <QDateTime>
#include <QString>

// `when` written with strftime formats for the date and the time, joined by a blank; the time
// is left out when it is exactly midnight.
QString datetimetext(const QDateTime &when, const char *dateFormat, const char *timeFormat);

// `when` in the locale's own formats (LC_TIME: its date format and its time format), as the
// editor's Date/Time command inserts it.
QString localdatetimetext(const QDateTime &when);

#include "core/editor/datetimetext.h"

#include <ctime>
#include <langinfo.h>

namespace {

QString formatted(const std::tm &fields, const char *format)
{
    char text[256];
    const std::size_t length = std::strftime(text, sizeof text, format, &fields);
    return QString::fromLocal8Bit(text, static_cast<qsizetype>(length));
}

} // namespace

QString datetimetext(const QDateTime &when, const char *dateFormat, const char *timeFormat)
{
    const QDate date = when.date();
    const QTime time = when.time();
    std::tm fields{};
    fields.tm_year = date.year() - 1900;
    fields.tm_mon = date.month() - 1;
    fields.tm_mday = date.day();
    fields.tm_wday = date.dayOfWeek() % 7;
    fields.tm_yday = date.dayOfYear() - 1;
    fields.tm_hour = time.hour();
    fields.tm_min = time.minute();
    fields.tm_sec = time.second();
    fields.tm_isdst = -1;
    const QString dateText = formatted(fields, dateFormat);
    if (time == QTime(0, 0))
        return dateText;
    return dateText + QLatin1Char(' ') + formatted(fields, timeFormat);
}

QString localdatetimetext(const QDateTime &when)
{
    return datetimetext(when, nl_langinfo(D_FMT), nl_langinfo(T_FMT));
}

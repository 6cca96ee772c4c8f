#include "core/platform/filefilter.h"

#include "core/platform/translation.h"
#include "stringtable.h"

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns);
    }
    return filters;
}

QString scriptfilter()
{
    return i18n(str::ReadableFilter) + QLatin1Char('|') + i18n(str::DocumentFilter);
}

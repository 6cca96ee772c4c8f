#include "core/settings/storedvalue.h"

#include <QStringList>

std::optional<QString> storedtext(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray ||
        value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong ||
        value.typeId() == QMetaType::UInt || value.typeId() == QMetaType::ULongLong ||
        value.typeId() == QMetaType::Bool)
        return value.toString();
    return std::nullopt;
}

std::optional<qint64> storedinteger(const QVariant &value)
{
    const std::optional<QString> text = storedtext(value);
    if (!text)
        return std::nullopt;
    QString digits = text->trimmed();
    bool negative = false;
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
        negative = digits.startsWith(QLatin1Char('-'));
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith(QLatin1Char('$'))) {
        base = 16;
        digits.remove(0, 1);
    } else if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    }
    // Signs and prefixes were taken off above: what is left must be bare digits.
    if (digits.isEmpty() || !digits.at(0).isLetterOrNumber())
        return std::nullopt;
    bool ok = false;
    const qint64 number = digits.toLongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    return negative ? -number : number;
}

std::optional<bool> storedboolean(const QVariant &value)
{
    const std::optional<QString> text = storedtext(value);
    if (!text)
        return std::nullopt;
    const QString word = text->trimmed();
    for (const char *yes : {"TRUE", "YES", "Y"})
        if (word.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0)
            return true;
    for (const char *no : {"FALSE", "NO", "N"})
        if (word.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
            return false;
    const std::optional<qint64> number = storedinteger(value);
    if (!number)
        return std::nullopt;
    return *number != 0;
}

std::optional<qint64> storedidentifier(const QVariant &value,
                                       const std::function<std::optional<qint64>(const QString &)> &lookup)
{
    const std::optional<QString> text = storedtext(value);
    if (!text)
        return std::nullopt;
    if (const std::optional<qint64> known = lookup(text->trimmed()))
        return known;
    return storedinteger(value);
}

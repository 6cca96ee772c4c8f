#pragma once

#include <functional>
#include <optional>

#include <QString>
#include <QVariant>

// Tolerant reading of stored values. The store may hold anything a person or another program
// wrote there: a value that cannot be read as what is asked for comes back empty, and the caller
// keeps its present value.

// The value as text; a list (a text with commas that the store split up) is joined again.
// Nothing for values that are not text (binary or structured values).
std::optional<QString> storedtext(const QVariant &value);
// A whole number: decimal with an optional sign, or hexadecimal after "$" or "0x"; blanks around
// it are allowed.
std::optional<qint64> storedinteger(const QVariant &value);
// "TRUE", "YES", "Y" and "FALSE", "NO", "N" in any case; anything else is read as a number
// (0 is false).
std::optional<bool> storedboolean(const QVariant &value);
// An identifier known to `lookup`, or a number.
std::optional<qint64> storedidentifier(const QVariant &value,
                                       const std::function<std::optional<qint64>(const QString &)> &lookup);

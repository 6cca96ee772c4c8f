#pragma once

#include <optional>

#include <QString>

// Font character sets as the settings store writes them: by identifier ("DEFAULT_CHARSET") when
// the number has one.

// The identifier of `charset`, or an empty string when it has none.
QString charsetident(int charset);
// The number of an identifier, compared without regard to case.
std::optional<int> identtocharset(const QString &ident);

#include "core/settings/charsetnames.h"

#include <array>

namespace {

struct NamedCharset {
    const char *ident;
    int value;
};

constexpr std::array<NamedCharset, 18> namedCharsets{{
    {"ANSI_CHARSET", 0},
    {"DEFAULT_CHARSET", 1},
    {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},
    {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},
    {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},
    {"TURKISH_CHARSET", 162},
    {"HEBREW_CHARSET", 177},
    {"ARABIC_CHARSET", 178},
    {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},
    {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
}};

} // namespace

QString charsetident(int charset)
{
    for (const NamedCharset &named : namedCharsets)
        if (named.value == charset)
            return QLatin1String(named.ident);
    return {};
}

std::optional<int> identtocharset(const QString &ident)
{
    for (const NamedCharset &named : namedCharsets)
        if (ident.compare(QLatin1String(named.ident), Qt::CaseInsensitive) == 0)
            return named.value;
    return std::nullopt;
}

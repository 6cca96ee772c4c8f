#include "core/import/runproperties.h"

namespace {

template <typename T> void take(std::optional<T> &value, const std::optional<T> &over)
{
    if (over)
        value = over;
}

} // namespace

void RunProperties::mergeFrom(const RunProperties &over)
{
    if (!over.style.isEmpty())
        style = over.style;
    take(bold, over.bold);
    take(italic, over.italic);
    take(underline, over.underline);
    take(strike, over.strike);
    take(hidden, over.hidden);
    take(color, over.color);
    take(points, over.points);
    take(face, over.face);
}

QTextCharFormat RunProperties::format() const
{
    QTextCharFormat format;
    if (bold)
        format.setFontWeight(*bold ? QFont::Bold : QFont::Normal);
    if (italic)
        format.setFontItalic(*italic);
    if (underline)
        format.setFontUnderline(*underline);
    if (strike)
        format.setFontStrikeOut(*strike);
    if (color && color->isValid())
        format.setForeground(*color);
    if (points)
        format.setFontPointSize(*points);
    if (face)
        format.setFontFamilies({*face});
    return format;
}

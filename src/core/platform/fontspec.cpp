#include "core/platform/fontspec.h"

#include <cmath>

int FontSpec::height(int pixelsPerInch) const
{
    return -static_cast<int>(std::lround(size * pixelsPerInch / 72.0));
}

QFont FontSpec::toQFont() const
{
    QFont font(name);
    font.setPointSize(size > 0 ? size : 8);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

FontSpec FontSpec::fromQFont(const QFont &font, const QColor &color)
{
    FontSpec spec;
    spec.name = font.family();
    spec.size = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    spec.color = color;
    spec.bold = font.bold();
    spec.italic = font.italic();
    spec.underline = font.underline();
    spec.strikeOut = font.strikeOut();
    return spec;
}

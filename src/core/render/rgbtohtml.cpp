#include "core/render/rgbtohtml.h"

QString TJvRGBToHTML::HTMLColor() const
{
    const QColor rgb = RGBColor.toRgb();
    return QStringLiteral("%1%2%3")
        .arg(rgb.red(), 2, 16, QLatin1Char('0'))
        .arg(rgb.green(), 2, 16, QLatin1Char('0'))
        .arg(rgb.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

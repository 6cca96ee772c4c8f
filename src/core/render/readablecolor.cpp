#include "core/render/readablecolor.h"

#include <algorithm>
#include <cmath>

namespace {

// Text this close to its ground cannot be read from a prompting glass: dark red on black
// (about 1.9) still can, navy on black (about 1.3) cannot.
constexpr double leastReadableContrast = 1.5;

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor &color)
{
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

} // namespace

double contrastratio(const QColor &a, const QColor &b)
{
    const double first = relativeLuminance(a);
    const double second = relativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readablecolor(const QColor &color, const QColor &background, const QColor &foreground)
{
    return contrastratio(color, background) < leastReadableContrast ? foreground : color;
}

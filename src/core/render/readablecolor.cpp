#include "core/render/readablecolor.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this saturation a colour reads as a grey: there is no hue to keep.
constexpr double greySaturation = 0.12;

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor &color)
{
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

// The same hue and saturation at `lightness` (0 black, 1 white), as the page writes colours:
// 8 bits a channel.
QColor atlightness(const QColor &hsl, double lightness)
{
    return QColor(QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), float(lightness)).rgb());
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
    if (contrastratio(color, background) >= readableContrast)
        return color;
    const QColor hsl = color.toHsl();
    if (hsl.hslSaturationF() < greySaturation)
        return foreground;
    // Towards white on a ground darker than mid-grey, towards black on a lighter one; the contrast
    // grows steadily on the way, so halving the way finds the least change that reads.
    const bool lighter = contrastratio(background, Qt::black) < contrastratio(background, Qt::white);
    double reads = lighter ? 1.0 : 0.0;
    double fails = hsl.lightnessF();
    for (int step = 0; step < 24; ++step) {
        const double middle = (reads + fails) / 2;
        (contrastratio(atlightness(hsl, middle), background) >= readableContrast ? reads : fails) = middle;
    }
    QColor shown = atlightness(hsl, reads);
    shown.setAlpha(color.alpha());
    return shown;
}

#pragma once

#include <QColor>

// The colour text is shown in on a ground of `background`: `color` itself when the two stand
// apart enough to read (a contrast ratio of 4.5 : 1 or more, as WCAG asks of text); else the same
// hue made lighter on a dark ground, or darker on a light one, just until it does, so that navy
// is shown light blue on the black page and yellow dark yellow on paper. A grey has no hue to
// keep: black, near-black or a grey too close to the ground is shown in `foreground`, the colour
// the ground's own text has.
QColor readablecolor(const QColor &color, const QColor &background, const QColor &foreground);

// The contrast ratio of two colours, from 1 (the same) to 21 (black and white), by their relative
// luminance in the sRGB space.
double contrastratio(const QColor &a, const QColor &b);

// The contrast text needs against its ground to be read.
inline constexpr double readableContrast = 4.5;

#pragma once

#include <QColor>

// The colour text is shown in on a ground of `background`: `color` itself, unless the two are
// so alike that the text would vanish (a contrast ratio under 1.5 : 1, such as black, near-black
// or navy on a black page); then `foreground`, the colour the ground's own text has.
QColor readablecolor(const QColor &color, const QColor &background, const QColor &foreground);

// The contrast ratio of two colours, from 1 (the same) to 21 (black and white), by their relative
// luminance in the sRGB space.
double contrastratio(const QColor &a, const QColor &b);

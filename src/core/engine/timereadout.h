#pragma once

#include <QString>

// "HH:MM:SS:CC" for a duration in milliseconds: hours (no upper limit), minutes, seconds and
// hundredths, each at least two characters; a negative duration shows the signs of its fields.
QString clocktext(qint32 ms);

// A one-character text gets a leading "0"; any other text is returned unchanged.
QString twodigits(const QString &text);

// The time the scroll engine needs to cover `distance` pixels: whole ticks of `coarse` pixels,
// each lasting the tick interval, counted as at least 10 ms. Division truncates toward zero;
// the product saturates at the 32-bit range instead of wrapping on enormous pages.
qint32 scrolltime(qint32 distance, qint32 coarse, qint32 interval);

#include "core/engine/readingcue.h"

#include <algorithm>

#include "stringtable.h"

const QList<CueColour> &cuecolours()
{
    static const QList<CueColour> colours{{str::CueYellow, QColor(255, 204, 0)},
                                          {str::CueWhite, QColor(255, 255, 255)},
                                          {str::CueRed, QColor(255, 64, 64)},
                                          {str::CueGreen, QColor(64, 224, 96)},
                                          {str::CueCyan, QColor(64, 208, 255)}};
    return colours;
}

QList<QPolygonF> readingcueshapes(const QSizeF &view, double gutter, const ReadingLine &line, bool upsideDown)
{
    const double height = std::clamp(line.height, 0.0, 1.0);
    const double y = (upsideDown ? 1 - height : height) * view.height();
    // A little room on both sides, so that the cue touches neither the window's edge nor the text.
    const double inset = std::max(1.0, gutter * 0.15);
    const double left = inset;
    const double right = gutter - inset;
    if (right <= left)
        return {};
    const double half = (right - left) / 2;
    if (line.style == CueStyle::Arrow)
        return {QPolygonF({QPointF(left, y - half), QPointF(right, y), QPointF(left, y + half)})};
    const double bar = std::max(2.0, half * 0.5);
    const auto barAt = [&](double x0, double x1) {
        return QPolygonF(
            {QPointF(x0, y - bar), QPointF(x1, y - bar), QPointF(x1, y + bar), QPointF(x0, y + bar)});
    };
    return {barAt(left, right), barAt(view.width() - right, view.width() - left)};
}

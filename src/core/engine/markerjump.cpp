#include "core/engine/markerjump.h"

#include <algorithm>
#include <cmath>

namespace {

// A marker this close to the reading line stands there: layout rounding moves it a pixel or two.
constexpr int atReadingLine = 3;

int withinpage(const PageLayout &layout, double position)
{
    return std::clamp(int(std::lround(position)), 0, std::max(0, layout.bottom));
}

} // namespace

int markerposition(const PageLayout &layout, int index, const ReadingView &view)
{
    if (index < 0 || index >= layout.markerTops.size())
        return 0;
    // The reader's top of the line goes to the reading line: on a turned page that is the line's
    // bottom edge, measured from the view's bottom.
    if (view.upsideDown)
        return withinpage(layout, layout.markerBottoms.value(index, layout.markerTops.at(index)) -
                                      (1 - view.readingLine) * layout.viewHeight);
    return withinpage(layout, layout.markerTops.at(index) - view.readingLine * layout.viewHeight);
}

int nextmarker(const PageLayout &layout, int position, const ReadingView &view, bool forward)
{
    // The script runs down the page, or up it when the page is turned.
    const int sense = view.upsideDown ? -1 : 1;
    const int count = int(layout.markerTops.size());
    // Markers in reading order: script order is reading order.
    if (forward) {
        for (int i = 0; i < count; ++i)
            if (sense * (markerposition(layout, i, view) - position) > atReadingLine)
                return i;
    } else {
        for (int i = count - 1; i >= 0; --i)
            if (sense * (position - markerposition(layout, i, view)) > atReadingLine)
                return i;
    }
    return -1;
}

int linesposition(const PageLayout &layout, int position, int lines, const ReadingView &view)
{
    const int sense = view.upsideDown ? -1 : 1;
    return withinpage(layout, position + sense * lines * layout.lineHeight);
}

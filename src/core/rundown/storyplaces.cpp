#include "core/rundown/storyplaces.h"

#include <algorithm>
#include <cmath>

namespace {

// A banner this close to the reading line stands there: layout rounding moves it a pixel or two.
constexpr int atReadingLine = 3;

} // namespace

PageLayout bannerlayout(const StoryLayout &layout)
{
    PageLayout page;
    page.markerTops = layout.bannerTops;
    page.markerBottoms = layout.bannerBottoms;
    page.viewHeight = layout.viewHeight;
    page.bottom = layout.bottom;
    return page;
}

int readingline(const StoryLayout &layout, int position, const ReadingView &view)
{
    // On a turned page the reader's top is the view's bottom.
    const double fromTop = view.upsideDown ? 1 - view.readingLine : view.readingLine;
    return position + int(std::lround(fromTop * layout.viewHeight));
}

int storyatreadingline(const StoryLayout &layout, int position, const ReadingView &view)
{
    if (layout.count() == 0)
        return -1;
    const int line = readingline(layout, position, view);
    int reached = 0;
    for (int i = 0; i < layout.count(); ++i) {
        // The show runs down the page, or up it when the page is turned: there the reader reaches a
        // banner at its bottom edge.
        const bool passed = view.upsideDown ? layout.bannerBottoms.value(i) >= line - atReadingLine
                                            : layout.bannerTops.value(i) <= line + atReadingLine;
        if (passed)
            reached = i;
    }
    return reached;
}

int storyposition(const StoryLayout &layout, int index, const ReadingView &view)
{
    return markerposition(bannerlayout(layout), index, view);
}

int nextstory(const StoryLayout &layout, int position, const ReadingView &view, bool forward)
{
    return nextmarker(bannerlayout(layout), position, view, forward);
}

double storyshareleft(const StoryLayout &layout, int index, int position, const ReadingView &view)
{
    if (index < 0 || index >= layout.count())
        return 0;
    const double top = layout.storyTops.value(index);
    const double bottom = layout.storyBottoms.value(index);
    if (bottom <= top)
        return 0;
    const double line = readingline(layout, position, view);
    // Upright the story is read from its top down; turned, from its bottom up.
    const double left = view.upsideDown ? (line - top) / (bottom - top) : (bottom - line) / (bottom - top);
    return std::clamp(left, 0.0, 1.0);
}

double wordsleft(const StoryLayout &layout, const QList<int> &words, int position, const ReadingView &view)
{
    const int onAir = storyatreadingline(layout, position, view);
    if (onAir < 0)
        return 0;
    double left = words.value(onAir) * storyshareleft(layout, onAir, position, view);
    for (int i = onAir + 1; i < layout.count(); ++i)
        left += words.value(i);
    return left;
}

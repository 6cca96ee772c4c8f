#pragma once

#include <QList>

// Where the marker lines stand on the page and how the page is seen, as the page measures them.
// Positions are the page's scroll positions (pixels from its top, as it is drawn: a page turned
// upside down has its script's start at the bottom).
struct PageLayout {
    QList<int> markerTops;    // the top edge of each marker's line, in script order
    QList<int> markerBottoms; // and its bottom edge
    double lineHeight = 0;    // one line of the script's text
    int viewHeight = 0;       // the part of the page in view
    int bottom = 0;           // the largest scroll position
};

// Where the reader's eyes rest: `readingLine` is the fraction of the view from the reader's top
// (0.33: a third down). On a page turned upside down, the reader's top is the view's bottom.
struct ReadingView {
    double readingLine = 1.0 / 3;
    bool upsideDown = false;
};

// The scroll position that puts the marker `index` of `layout` at the reading line, kept within the
// page's ends.
int markerposition(const PageLayout &layout, int index, const ReadingView &view);

// The marker after (`forward`) or before the reading line of a page at `position`, in the sense the
// script is read; -1 when there is none. A marker that stands at the reading line already counts
// as passed either way, so that repeated jumps go on from one marker to the next.
int nextmarker(const PageLayout &layout, int position, const ReadingView &view, bool forward);

// The scroll position `lines` lines of text further on in the script (negative: back), within the
// page's ends.
int linesposition(const PageLayout &layout, int position, int lines, const ReadingView &view);

#pragma once

#include <QList>

#include "core/editlive/linechanges.h"

// What holds the reader's line in place while the page is edited under it. The page keeps one
// line's start (its line mark) where it stands on the screen, scrolling by as much as the edit
// moved it: the heights that changes above it add or take away are made good in the same frame,
// those of changes below it move nothing the reader sees. Every display of the page holds the same
// line, so that they all stand at the same place in the script afterwards.

// Where the reading line crosses a view `viewHeight` pixels high, from its top: `share` of the
// height from the reader's top, which on a page turned upside down is the view's bottom.
double readingliney(double viewHeight, double share, bool upsideDown);

// The line whose mark stays on the screen when the reader is at `line` (the page's own rule,
// resources/page/editlines.js): the line itself when no change takes it; the first line of a
// change that replaces it by lines of its own (its mark stays); the line after a change that only
// removes it. -1 when a change removes every line from there to the end.
int heldline(const QList<LineChange> &changes, int line, int lineCount);

// Where the mark of `line`, which the changes keep, stands once they are made.
int movedline(const QList<LineChange> &changes, int line);

#pragma once

#include <QList>

#include "core/engine/markerjump.h"

// Where the stories of a continuous page stand, as the page measures them: page positions as
// drawn (on a page turned upside down the show starts at the bottom and each story's banner is
// at the bottom of its element).
struct StoryLayout {
    QList<int> keys;          // each story's key, in the show's order
    QList<int> bannerTops;    // the top edge of each story's banner
    QList<int> bannerBottoms; // and its bottom edge
    QList<int> storyTops;     // the top edge of the element that holds the whole story
    QList<int> storyBottoms;  // and its bottom edge
    int viewHeight = 0;
    int bottom = 0; // the largest scroll position

    int count() const { return int(keys.size()); }
    bool operator==(const StoryLayout &) const = default;
};

// The banners as a marker jump sees its markers: each story is a place to glide to.
PageLayout bannerlayout(const StoryLayout &layout);

// The page position of the reading line when the page stands at `position`.
int readingline(const StoryLayout &layout, int position, const ReadingView &view);

// The story the reading line is in (its index in the layout), the page standing at `position`:
// the last story whose banner the reading line has reached; the first story while the reading
// line is still above it; -1 for a page without stories.
int storyatreadingline(const StoryLayout &layout, int position, const ReadingView &view);

// The scroll position that puts story `index`'s banner at the reading line, within the page.
int storyposition(const StoryLayout &layout, int index, const ReadingView &view);

// The story after (`forward`) or before the one whose banner is at the reading line, the page
// standing at `position`, in the order of the show; -1 when there is none.
int nextstory(const StoryLayout &layout, int position, const ReadingView &view, bool forward);

// How much of story `index` is still ahead of the reading line, from 0 (read) to 1 (not begun).
double storyshareleft(const StoryLayout &layout, int index, int position, const ReadingView &view);

// The words still ahead of the reading line: what is left of the story it is in and every story
// after. `words` holds each story's words, in the layout's order.
double wordsleft(const StoryLayout &layout, const QList<int> &words, int position, const ReadingView &view);

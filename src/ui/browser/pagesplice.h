#pragma once

#include <functional>

#include <QStringList>

#include "core/editlive/pageedit.h"

class Browser;

// What a page made of an edit put into it in place.
struct SpliceResult {
    bool done = false; // false: the page did not take it (no script page, another page, gone)
    int held = -1;     // the line held where it stood on the screen, as the edited page counts
    double shift = 0;  // how far the page scrolled to hold it
    double still = 0;  // how far the held line moved all the same (only where the page could not scroll)
    int anchor = -1;   // the reader's line the edit was held by, as the page counted its lines before
};

// Makes `edit` on the script page `page` shows, in place (resources/page/editlines.js), holding the
// edit's anchor (or, without one, the line at the reading line `readingY` pixels from the view's
// top) where it stands. A change whose lines would change the look of the lines after it is made
// by putting in the rest of `edited` (the whole page once edited) from its first line. `done`
// runs once the page has it, or has refused it (then it is best loaded anew); not when the page
// is replaced meanwhile or goes.
void splicepage(Browser &page, const PageEdit &edit, const QStringList &edited, double readingY,
                std::function<void(const SpliceResult &)> done);

#pragma once

#include <QList>
#include <QStringList>

#include "core/editlive/linechanges.h"

// An edit of the script shown, as every display of its page makes it in place: stretches of the
// page's body lines (the lines after the body tag: one to each script line, then the page's tail)
// replaced by new lines. Body line k is the line of the page's k-th line mark (Browser::pagebytes).
struct PageEdit {
    QList<LineChange> changes; // in order; `first` and `count` name the lines in the page after it
    QList<QStringList> lines;  // the new lines of each change
    // The body line whose start stays where it is on the screen, as the page stood before the
    // edit; -1: the line at the display's reading line.
    int anchor = -1;
    int linesBefore = 0; // body lines before the edit
    int serial = 0;      // counts the edits of the prompter's page, so that a display sees one it missed
    bool operator==(const PageEdit &) const = default;
};

// The index of the first body line of `page`, or -1 when it has no body tag.
int bodystart(const QStringList &page);

// The edit that makes `after` of `before` (whole pages, the same head), its changes found line by
// line in the bodies; the anchor and the serial are left to the caller.
PageEdit pageedit(const QStringList &before, const QStringList &after);

// Makes the edit on `page`; false, and the page as it was, when the page has not the body the edit
// was made on (another count of lines, or a change beyond its end).
bool applypageedit(QStringList &page, const PageEdit &edit);

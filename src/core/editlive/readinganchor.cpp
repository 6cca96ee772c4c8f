#include "core/editlive/readinganchor.h"

double readingliney(double viewHeight, double share, bool upsideDown)
{
    const double fromTop = viewHeight * share;
    return upsideDown ? viewHeight - fromTop : fromTop;
}

int heldline(const QList<LineChange> &changes, int line, int lineCount)
{
    for (const LineChange &change : changes) {
        if (line < change.at || line >= change.at + change.removed)
            continue;
        if (change.count > 0)
            return change.at;
        const int after = change.at + change.removed;
        return after < lineCount ? after : -1;
    }
    return line;
}

int movedline(const QList<LineChange> &changes, int line)
{
    int moved = line;
    for (const LineChange &change : changes)
        // Lines put in before the mark (also where a change only adds, right before it) move it.
        if (change.at + change.removed <= line)
            moved += change.count - change.removed;
    return moved;
}

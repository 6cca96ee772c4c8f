#pragma once

#include <QString>
#include <QStringList>

// The editor's Find Next: a walk over the editor's lines (as wrapped on screen) that remembers
// where it stopped. The text looked for is latched at the first step after a reset and kept
// until the next reset, so a changed Find what takes effect only after a reset.
class LineSearch {
public:
    struct Result {
        enum Kind {
            Nothing,  // nothing to look for, or no lines: no message
            Found,    // `line` and `column` (from 1) hold the match, `length` its length
            NotFound, // the walk reached the end; the next step starts again at the first line
        } kind = Nothing;
        int line = 0;
        int column = 0;
        int length = 0;
    };

    int searchline = 0; // index of the line in which the next step starts
    int searchcol = 0;  // column (from 1) at which it starts in that line; 0 for the whole line
    QString searchtext; // the latched text, folded when Match case was off at latching

    // Forgets the walk: the next step starts at the first line and latches its text anew.
    void reset();

    // One step over `lines`, looking for `findWhat` (latched when nothing is) from just after
    // the start of the previous match. Without `matchCase` only a to z are compared regardless
    // of case. Overlapping matches are all found; a match never spans two lines.
    Result findnext(const QStringList &lines, const QString &findWhat, bool matchCase);

    // `text` with a to z turned into A to Z and every other character left as it is.
    static QString foldcase(const QString &text);
};

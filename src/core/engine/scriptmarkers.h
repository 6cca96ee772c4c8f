#pragma once

#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

// A named place in a script: a line whose text starts with the marker sign "##", its name the rest
// of the line, trimmed; or the first line of a paragraph in a heading style of a rich script, which
// the script's reader marks with headingmark(), its name the line's text. The sign is one that
// scripts do not use by accident: a single "#" (a hashtag, a number sign) never makes a marker.
struct ScriptMarker {
    int line = 0; // the script line (page line after the body tag) that holds it
    QString name;
    bool heading = false; // a heading of a rich script, not a line with the marker sign
    bool operator==(const ScriptMarker &other) const = default;
};

// How the page shows a marker's line: in a quieter style (smaller and dimmed), or not at all.
enum class MarkerDisplay { Quiet, Hidden };

// The text of one script line as the reader sees it: tags dropped, character references decoded.
// Script lines are HTML (a rich script's lines, or a plain script's text, which the page shows as
// HTML too).
QString linetext(const QString &line);

// What a rich script's reader puts before the text of a heading's first line: an empty element that
// the page does not show. Script text never holds it, as its "<" would be escaped.
QString headingmark();

// The name of the marker that `line` holds, if it holds one.
std::optional<QString> markername(const QString &line);

// The markers of `scriptlines`, in script order.
QList<ScriptMarker> findmarkers(const QStringList &scriptlines);

// Puts the markers of `scriptlines` on `page` (built from them by buildpage): each marker's line
// shows its text in the quieter style (a heading keeps its own look: it was written to be seen),
// or nothing, and carries an element of the class
// "vantell-marker" where the line starts, by which the page finds the marker. The line keeps the
// tags it opens and closes, so the formatting of the lines after it stays as it was.
void markpage(QStringList &page, const QList<ScriptMarker> &markers, MarkerDisplay display, bool allcaps);

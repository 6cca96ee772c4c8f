#pragma once

#include <QString>

// The name the quick editor proposes when it asks where to save a script as a rich script: the
// file name of `document` (a path) with the extension .vnr in place of its own, so that a script
// opened from "show.docx" is proposed as "show.vnr" and never as the document it came from. A
// .vnr name, in any case, and a name that is no path (a new document's) stay as they are.
QString vnrname(const QString &document);

// Whether saving a rich script to `path` would replace a file that is no rich script: a text, a
// word processor's document, anything but a .vnr file.
bool replacesotherfile(const QString &path);

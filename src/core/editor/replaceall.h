#pragma once

#include <QString>

class QTextDocument;

// Replaces every occurrence of `find` in `document` by `replace`, from the start of the text,
// with the document's own case-insensitive search. The search goes on after each inserted
// replacement, so a replacement that holds `find` is not searched again. All replacements form
// one undo step. An empty `find` replaces nothing. Returns the number of replacements.
int replaceall(QTextDocument *document, const QString &find, const QString &replace);

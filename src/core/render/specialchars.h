#pragma once

#include <functional>

#include <QString>
#include <QStringList>

class QTextDocument;

// Rewrites `lines` in place with the special-character table and returns it. Each table line
// holds tab-separated fields: field 2 is the page form, field 3 the form in scripts and in the
// editor. Direction "page" replaces field 3 by field 2, "editor" field 2 by field 3; entries
// apply in table order, case-sensitively. `progress` is told the index of each table line.
QStringList &convertchars(const QString &direction, QStringList &lines, const QStringList &specialtable,
                          const std::function<void(int index, int count)> &progress = {});

// The same rewriting of a rich document's text, keeping its formatting: each replacement takes
// the format of the first character it replaces. Table forms hold no line breaks, so a match
// never spans two paragraphs.
void convertchars(const QString &direction, QTextDocument *document, const QStringList &specialtable);

// The page forms of the table's entries (field 2 of each), in table order.
QStringList specialpageforms(const QStringList &specialtable);

// The lines of a special-character table file; throws std::runtime_error when it cannot be read.
QStringList loadspecialtable(const QString &path);

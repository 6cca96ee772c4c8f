#pragma once

#include <QString>
#include <QStringList>

// The text of the script at `path` as the page shows it before the special-character table, one
// entry per page line: a text file's lines, the paragraphs (and the line breaks inside them) of a
// rich script, of RTF and of an imported document. Throws std::runtime_error with a message for
// the user when the file cannot be read or is no kind of script.
QStringList scripttextlines(const QString &path);

#pragma once

#include <optional>

#include <QString>
#include <QStringList>

// The text of the script at `path` as the page shows it before the special-character table, one
// entry per page line: a text file's lines, the paragraphs (and the line breaks inside them) of a
// rich script, of RTF and of an imported document. Throws std::runtime_error with a message for
// the user when the file cannot be read or is no kind of script.
QStringList scripttextlines(const QString &path);

// The words a reader speaks in the script at `path` (see wordcount), or none when it cannot be read.
std::optional<int> scriptwords(const QString &path);

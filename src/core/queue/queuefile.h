#pragma once

#include <QString>
#include <QStringList>

// A queue file holds one script path per line. Reading: a UTF-8 or UTF-16 byte-order mark
// selects that encoding, otherwise UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252;
// lines end at CR LF, CR or LF; a line end at the very end adds no entry, empty lines are
// entries. Throws std::runtime_error when the file cannot be read.
QStringList loadqueuefile(const QString &path);

// Writes the entries as UTF-8 without a byte-order mark, CR LF after every line. The file is
// replaced only once it is completely written; throws std::runtime_error when it cannot be.
void savequeuefile(const QString &path, const QStringList &entries);

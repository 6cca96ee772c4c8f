#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Decodes the bytes of a text file: a byte-order mark (UTF-8, UTF-16 LE or BE) selects that
// encoding and is dropped; otherwise valid UTF-8; otherwise Windows-1252, the code page of old
// 8-bit files.
QString decodetext(const QByteArray &bytes);

// Splits text into lines at CR LF, lone CR and lone LF; a line end at the very end adds no
// empty line, and an empty text has no lines.
QStringList splitlines(const QString &text);

// Reads a whole file; throws std::runtime_error with a message for the user when it cannot.
QByteArray readwholefile(const QString &path);

// Writes a whole file, creating or replacing it. The old file is replaced only once every byte
// is written; a failed write (no permission, disk full) throws std::runtime_error with a message
// for the user and leaves the old file whole.
void writewholefile(const QString &path, const QByteArray &bytes);

// Reads a text file as lines (decodetext, then splitlines); throws like readwholefile.
QStringList readtextlines(const QString &path);

#pragma once

#include <QString>

class QTextEdit;

// Loads a file into a rich-text control, replacing its content: RTF as rich text, a document of a
// word processor or a markup file imported (see isimportable), anything else as plain text
// (decoded as text files are). Throws std::runtime_error when the file cannot be
// read; the control is then left as it was.
void loadrichfile(QTextEdit *control, const QString &path);

// Writes a rich-text control's content to a file as RTF, creating or replacing it; text without a
// colour of its own is written in the colour the control shows it in. The file is
// replaced only once the whole text is written: a failed write (no permission, disk full)
// throws std::runtime_error and leaves any old file whole.
void saverichfile(QTextEdit *control, const QString &path);

// Writes a rich-text control's text without formatting: UTF-8 without a byte-order mark, each
// paragraph and each line break inside one ended by CR LF; an empty text gives an empty file.
// Replaces the file like saverichfile, and throws like it.
void saveplainfile(const QTextEdit *control, const QString &path);

#pragma once

#include <QString>

class QTextDocument;

// Whether the program imports `path` as a word processor's document (.docx, .odt) or as markup
// (.md, .markdown, .html, .htm), told by its extension in any case.
bool isimportable(const QString &path);

// Replaces `document`'s content with the imported file. The whole file is read first: a file that
// cannot be read throws std::runtime_error with a message for the user, and `document` stays as
// it was.
void importdocument(const QString &path, QTextDocument *document);

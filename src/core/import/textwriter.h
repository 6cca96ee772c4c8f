#pragma once

struct ImportedText;
class QTextDocument;

// Replaces `document`'s content with `text`: its paragraphs, their runs, and its lists, each
// level of a list a QTextList indented one step further.
void writeimportedtext(const ImportedText &text, QTextDocument *document);

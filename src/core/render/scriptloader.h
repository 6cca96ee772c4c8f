#pragma once

#include <QString>
#include <QStringList>

class QTextDocument;
class QTextEdit;

// The kinds of script file, told by the file name's extension in any case. A Document (.docx,
// .odt, Markdown, HTML) is imported and then prompted from as a Vantell script is.
enum class ScriptKind { Text, RichText, Vantell, Document, Unrecognized };
ScriptKind scriptkind(const QString &path);

// Trims the HTML lines of a rich script: an entry that is exactly "<BR>" becomes a line break
// (CR LF), and an entry that starts with "<BR>" loses it.
void choploader(QStringList &scriptlines);

// The text of a rich-text control or document without formatting, one entry per line:
// paragraphs (a list item's mark before its text), and the line breaks inside them.
QStringList plainlines(const QTextEdit *control);
QStringList plainlines(const QTextDocument *document);
// Puts headingmark() before the first line of each heading of `document` in `lines`, its plain
// lines, so that the headings become markers.
void markheadings(const QTextDocument *document, QStringList &lines);

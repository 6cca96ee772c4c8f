#pragma once

#include <QString>
#include <QStringList>
#include <QTextCharFormat>

class QTextDocument;
class QTextBlock;

// The text of each paragraph of `document`.
QStringList paragraphtexts(const QTextDocument &document);
// The format of the run that holds `text`; fails the running test when no run holds it.
QTextCharFormat formatof(const QTextDocument &document, const QString &text);
// The mark of each paragraph ("1.", "a)", "\u2022"): empty for a paragraph that is no list item.
QStringList listmarks(const QTextDocument &document);
// The paragraph that holds `text`, or an invalid block.
QTextBlock paragraphof(const QTextDocument &document, const QString &text);

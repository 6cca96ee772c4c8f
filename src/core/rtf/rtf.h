#pragma once

#include <QByteArray>
#include <QColor>

class QTextDocument;

// Reads RTF into `document`, replacing its content, and returns true; returns false and leaves
// the document alone when `data` is not RTF (after leading white space it does not start with
// "{\rtf"). Damaged RTF loads as far as it can be read.
bool readRtf(const QByteArray &data, QTextDocument *document);

// The document as RTF in the manner of a rich-edit control; readRtf gives back its text and its
// character and paragraph formatting. Text without a colour of its own is written in
// `automaticColor` when it is valid (the colour its control shows it in), otherwise as automatic.
QByteArray writeRtf(const QTextDocument *document, const QColor &automaticColor = QColor());

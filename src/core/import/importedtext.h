#pragma once

#include <QList>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextListFormat>

// A document read from a word processor's file, before it goes into a QTextDocument: the readers
// finish reading (and fail) before the document the page shows is touched.
struct ImportedRun {
    QString text; // line breaks inside the paragraph as QChar::LineSeparator
    QTextCharFormat format;
};

struct ImportedParagraph {
    QTextBlockFormat format;
    // The list the paragraph is an item of (an index into ImportedText::lists), or -1.
    int list = -1;
    int level = 0; // 0 for the outermost level
    QList<ImportedRun> runs;
};

struct ImportedText {
    QList<ImportedParagraph> paragraphs;
    // How each list is numbered, one style per level.
    QList<QList<QTextListFormat::Style>> lists;
};

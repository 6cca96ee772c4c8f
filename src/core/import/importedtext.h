#pragma once

#include <optional>

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
    // The item's number at its level when the document sets it anew here, as a restart does.
    std::optional<int> startsAt;
    QList<ImportedRun> runs;
};

// How the items of one level of a list are marked.
struct ImportedListLevel {
    QTextListFormat::Style style = QTextListFormat::ListDisc;
    // What the mark reads: a bullet's sign, or for numbers a pattern in which %1 to %9 stand for
    // the current numbers of the levels 1 to 9 ("%1.", "%2)", "%1.%2."). Empty: the mark the
    // style gives ("1.", a disc).
    QString pattern;
    int start = 1; // the first item's number
};

struct ImportedList {
    QList<ImportedListLevel> levels;
    // The list whose numbers this one goes on counting (an index into ImportedText::lists), or -1
    // for a list that counts its own.
    int continues = -1;
};

struct ImportedText {
    QList<ImportedParagraph> paragraphs;
    QList<ImportedList> lists;
};

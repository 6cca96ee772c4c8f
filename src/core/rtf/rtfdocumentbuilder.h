#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

class QTextDocument;
class QTextList;

// Fills a QTextDocument with what the RTF reader finds: text runs, paragraph ends, table cells.
// A paragraph's heading level (1 for a top heading, 0 for none) becomes its block's.
// Text of one format is gathered and inserted in one call per run, so that building stays linear
// in the size of the text. A paragraph takes its alignment and list kind when it ends (RTF
// states them at its paragraph mark); neighbouring list items of one kind share one QTextList.
class RtfDocumentBuilder {
public:
    // Empties `document`; its undo history is switched off until finish().
    explicit RtfDocumentBuilder(QTextDocument *document);

    // Format of the text that follows (and of a paragraph that starts empty).
    void setCharFormat(const QTextCharFormat &format);
    // Characters the document does not hold as text are dropped; an unpaired surrogate becomes
    // U+FFFD.
    void appendText(QStringView text);
    // Ends a table cell: a tab separates it from the next cell's text in the same row.
    void endCell();
    void endParagraph(Qt::Alignment alignment, QTextListFormat::Style listStyle, int headingLevel = 0);
    // Ends a table row, which becomes one paragraph; cells at its end leave no tab.
    void endRow(Qt::Alignment alignment, QTextListFormat::Style listStyle, int headingLevel = 0);
    // The end of the RTF: a last paragraph without a paragraph mark takes `alignment` and
    // `listStyle`; a paragraph mark at the very end starts no further, empty paragraph.
    void finish(Qt::Alignment alignment, QTextListFormat::Style listStyle, int headingLevel = 0);

    // False for characters that QTextDocument does not hold as text of a paragraph: control
    // characters other than the tab, and paragraph and frame marks (insertText() would turn them
    // into boundaries).
    static bool holdsAsText(char16_t c);

private:
    void appendCharacter(char16_t c);
    void keep(char16_t c);
    void appendCellSeparators();
    void resolveDanglingSurrogate();
    void startParagraphIfNeeded();
    void flushText();
    void applyParagraphFormat(Qt::Alignment alignment, QTextListFormat::Style listStyle, int headingLevel);

    QTextDocument *m_document;
    QTextCursor m_cursor;
    QTextCharFormat m_format;
    QString m_text; // not yet inserted, all in m_format
    char16_t m_highSurrogate = 0;
    int m_pendingCellSeparators = 0;
    bool m_paragraphOpen = false;
    bool m_firstBlockUsed = false;
    QTextList *m_list = nullptr; // the list of the previous paragraph, if it was an item
    bool m_undoWasEnabled;
};

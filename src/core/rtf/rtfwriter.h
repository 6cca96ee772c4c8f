#pragma once

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QRgb>
#include <QStringList>
#include <QTextListFormat>

#include "core/rtf/rtfcharacterstate.h"

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextList;

// Writes a QTextDocument as RTF in the manner of a rich-edit control: a font and a colour table,
// then each paragraph with \pard and its alignment and bullet or numbering (the old \pn form with
// its \pntext stand-in) where they change, character runs as changes of \f \fs \cf \b \i \ul
// \strike, \par after every paragraph. Characters of Windows-1252 are written as bytes or \'hh,
// all others as \uN with a '?' for readers without Unicode.
class RtfWriter {
public:
    // Text without a colour is written in `automaticColor` when it is valid, else as automatic.
    explicit RtfWriter(const QTextDocument *document, const QColor &automaticColor = QColor());

    QByteArray write();

private:
    enum class ListKind { None, Bullet, Decimal, LowerLetter, UpperLetter, LowerRoman, UpperRoman };

    void writeParagraphStart(const QTextBlock &block);
    void writeListItemText(const QTextBlock &block, ListKind kind);
    void writeRun(const RtfCharacterState &run);
    void writeControlWord(const char *word, int parameter);
    void writeControlWord(const char *word);
    void writeText(QByteArray &out, QStringView text);
    static void writeText(QByteArray &out, QStringView text, bool &needsDelimiter);
    RtfCharacterState runOf(int formatIndex, const QTextCharFormat &format);
    int fontIndex(const QString &family, int charset = 0);
    int colorIndex(QRgb color);
    QByteArray header();

    static ListKind listKindOf(const QTextBlock &block);

    const QTextDocument *m_document;
    QFont m_defaultFont;
    int m_automaticColor = RtfCharacterState::AutomaticColor;
    QByteArray m_body;
    bool m_needsDelimiter = false; // a control word was written last: text needs a space first

    struct FontEntry {
        QString family;
        int charset;
    };
    QList<FontEntry> m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colors; // index 0 is the automatic colour
    QHash<QRgb, int> m_colorIndex;
    QHash<int, RtfCharacterState> m_runByFormatIndex;

    RtfCharacterState m_run;
    bool m_firstParagraph = true;
    Qt::Alignment m_alignment;
    ListKind m_listKind = ListKind::None;
    int m_headingLevel = 0;                     // of the paragraph written last; 0: none
    QHash<const QTextList *, int> m_itemsSoFar; // the items of each list written so far
    int m_itemNumber = 0;                       // of the paragraph being written, from 1
};

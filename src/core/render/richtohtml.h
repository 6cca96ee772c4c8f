#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include "core/render/fontinfo.h"
#include "core/render/rgbtohtml.h"

class QTextBlock;
class QTextDocument;
class QTextEdit;

// Turns the rich text of a text control into HTML lines: one entry per line of text, each
// paragraph a <P> (or an <LI> when bulleted) with its alignment, a numbered item's number written
// before its text, each run of equal character format a <SPAN> with colour, size and face, plus
// <B>, <I>, <STRIKE> and <U> for its style.
class TJvRichEditToHtml {
public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCenter = 2, AlignJustify = 3 };
    // Numbered kinds follow the bullet: 1, 2, 3 ... 1, a, b ... A, B ... i, ii ... I, II ...
    enum Numbering {
        NoNumbering = 0,
        Bullet = 1,
        DecimalNumbers = 2,
        LowerLetters = 3,
        UpperLetters = 4,
        LowerRoman = 5,
        UpperRoman = 6
    };

    // What opens a paragraph: its alignment and its numbering.
    struct ParagraphFormat {
        int Alignment = AlignLeft;
        int Numbering = NoNumbering;
    };

    QString Title;
    QStringList Header{QStringLiteral("<HTML>"), QStringLiteral("  <HEAD>"),
                       QStringLiteral("    <TITLE><#TITLE></TITLE>"), QStringLiteral("  </HEAD>"),
                       QStringLiteral("  <BODY>")};
    QStringList Footer{QStringLiteral("  </BODY>"), QStringLiteral("</HTML>")};
    // The closing tags of the run and of the paragraph opened last.
    QString RunEndTag;
    QString ParagraphEndTag;

    // Clears `lines` and fills them with the HTML of `control`'s document: the header (when
    // there is one) as one entry, one entry per line of text, the closing tags, an empty entry,
    // and the footer's lines. The control's content stays as it is; its caret ends at the end of
    // the text, and it sends no change or selection-change notification meanwhile.
    void RichToHtmlLines(QTextEdit *control, QStringList &lines);
    // The same lines of `document`, whose text `look` (another control, hidden) would show: its
    // colours and resolution count, and no caret moves.
    void RichToHtmlLines(const QTextDocument *document, const QTextEdit *look, QStringList &lines);

    // The opening tags of a run in `format`; sets RunEndTag to their closing tags.
    QString RunStartTag(const TFontInfo &format);
    // The opening tag of a paragraph in `format`; sets ParagraphEndTag to its closing tag.
    QString ParagraphStartTag(const ParagraphFormat &format);

    // True when the formats differ in colour, style, face (case-sensitively) or size in points.
    static bool FormatDiffers(const TFontInfo &a, const TFontInfo &b);
    static bool ParagraphDiffers(const ParagraphFormat &a, const ParagraphFormat &b);
    // The named entity of `c`, or `c` itself when it has none.
    static QString CharEntity(QChar c);

    // The alignment and numbering of `block`.
    static ParagraphFormat paragraphFormatOf(const QTextBlock &block);

private:
    QString headerEntry() const;

    TJvRGBToHTML m_colorConverter;
};

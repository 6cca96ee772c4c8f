#include "core/render/richtohtml.h"

#include <utility>

#include <QHash>
#include <QList>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

#include "core/engine/scriptmarkers.h"
#include "core/import/listlabel.h"
#include "core/render/entitytable.h"

// The converter reads a document as one text: its paragraphs (blocks) joined by CR, with a line
// break inside a paragraph (U+2028) read as VT. A line of HTML is written for every stretch of
// that text between CR, LF and VT; a separator at the very end starts no further line. Positions
// in the text are the document's positions.
//
// The format at a caret position is that of the character before it within its paragraph; at a
// paragraph's start it is that of the paragraph's first character, or in an empty paragraph the
// format the paragraph gives new text. This is what QTextCursor::charFormat() reports.
//
// Each line reads the format at the caret before its first character, and then every character's
// format with the caret right after it. So after a line break the first character may open a run
// in the line break's format before its own, and a character written without a run change keeps
// the current run when that does not differ from its format. The walk reproduces this exactly
// without moving the caret per character: all characters of a fragment share one format, so a
// run can only change where the format index changes, and each format is converted once. The
// time taken is proportional to the length of the text.

namespace {
bool isLineSeparator(QChar c)
{
    return c == u'\r' || c == u'\n' || c == u'\v' || c == QChar::LineSeparator;
}

int alignmentOf(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return TJvRichEditToHtml::AlignCenter;
    if (alignment & Qt::AlignJustify)
        return TJvRichEditToHtml::AlignJustify;
    if (alignment & Qt::AlignRight)
        return TJvRichEditToHtml::AlignRight;
    return TJvRichEditToHtml::AlignLeft;
}

int numberingOf(const QTextList *list)
{
    if (!list)
        return TJvRichEditToHtml::NoNumbering;
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return TJvRichEditToHtml::Bullet;
    case QTextListFormat::ListDecimal:
        return TJvRichEditToHtml::DecimalNumbers;
    case QTextListFormat::ListLowerAlpha:
        return TJvRichEditToHtml::LowerLetters;
    case QTextListFormat::ListUpperAlpha:
        return TJvRichEditToHtml::UpperLetters;
    case QTextListFormat::ListLowerRoman:
        return TJvRichEditToHtml::LowerRoman;
    case QTextListFormat::ListUpperRoman:
        return TJvRichEditToHtml::UpperRoman;
    case QTextListFormat::ListStyleUndefined:
        break;
    }
    // A list of undefined style shows no marker.
    return TJvRichEditToHtml::NoNumbering;
}

// Letters and decimal digits are written as they are, even those the entity table holds.
void appendCharacter(QString &entry, QChar c)
{
    if (c.isLetter() || c.isDigit()) {
        entry += c;
        return;
    }
    const QLatin1String entity = entityOf(c);
    if (entity.isEmpty())
        entry += c;
    else
        entry += entity;
}

// The format index of each character of `block`.
QList<int> characterFormats(const QTextBlock &block)
{
    QList<int> formats;
    formats.reserve(block.length() - 1);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        formats.insert(formats.size(), fragment.length(), fragment.charFormatIndex());
    }
    return formats;
}
} // namespace

void TJvRichEditToHtml::RichToHtmlLines(QTextEdit *control, QStringList &lines)
{
    QTextDocument *document = control->document();
    const QSignalBlocker controlSignals(control);
    const QSignalBlocker documentSignals(document);
    RichToHtmlLines(document, control, lines);
    QTextCursor caret(document);
    caret.movePosition(QTextCursor::End);
    control->setTextCursor(caret);
}

void TJvRichEditToHtml::RichToHtmlLines(const QTextDocument *document, const QTextEdit *control,
                                        QStringList &lines)
{
    lines.clear();
    if (!Header.isEmpty())
        lines.append(headerEntry());

    ParagraphFormat lastParagraph;
    lines.append(ParagraphStartTag(lastParagraph));
    TFontInfo currentRun = TFontInfo::fromCharFormat(QTextCharFormat(), document, control);
    lines.append(RunStartTag(currentRun));

    const QList<QTextFormat> formats = document->allFormats();
    QHash<int, TFontInfo> snapshots;
    auto snapshotOf = [&](int formatIndex) {
        auto it = snapshots.constFind(formatIndex);
        if (it == snapshots.cend())
            it = snapshots.insert(
                formatIndex,
                TFontInfo::fromCharFormat(formats.at(formatIndex).toCharFormat(), document, control));
        return *it;
    };
    auto startRunIfDiffers = [&](QString &entry, int formatIndex) {
        const TFontInfo format = snapshotOf(formatIndex);
        if (!FormatDiffers(format, currentRun))
            return false;
        entry += RunEndTag;
        currentRun = format;
        entry += RunStartTag(currentRun);
        return true;
    };

    bool firstLine = true;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const QList<int> characterFormat = characterFormats(block);
        const ParagraphFormat paragraph = paragraphFormatOf(block);
        const bool lastBlock = !block.next().isValid();
        for (qsizetype start = 0;;) {
            qsizetype end = start;
            while (end < text.size() && !isLineSeparator(text.at(end)))
                ++end;
            const bool lastInBlock = end == text.size();
            if (lastInBlock && lastBlock && start == end)
                break;

            QString entry = firstLine ? QString() : QStringLiteral("<BR>");
            firstLine = false;
            const int formatAtCaret = start > 0        ? characterFormat.at(start - 1)
                                      : text.isEmpty() ? block.charFormatIndex()
                                                       : characterFormat.at(0);
            if (ParagraphDiffers(paragraph, lastParagraph) || paragraph.Numbering == Bullet) {
                entry += RunEndTag;
                entry += ParagraphEndTag;
                lastParagraph = paragraph;
                currentRun = snapshotOf(formatAtCaret);
                entry += ParagraphStartTag(paragraph);
                entry += RunStartTag(currentRun);
            }
            if (start == 0 && block.blockFormat().headingLevel() > 0)
                entry += headingmark();
            // A numbered item's number is written as text, in the format of the text it numbers:
            // the page has no list around its items to count them (a bullet's item shows its bullet).
            QString number = start == 0 && paragraph.Numbering > Bullet ? listlabel(block) : QString();
            if (!number.isEmpty())
                number += u' ';
            // The current run never differs from the format last read, `formatRead`.
            int formatRead = formatAtCaret;
            for (qsizetype j = start; j < end; ++j) {
                if (j == start) {
                    if (startRunIfDiffers(entry, formatRead)) {
                        formatRead = characterFormat.at(j);
                        startRunIfDiffers(entry, formatRead);
                    }
                } else if (characterFormat.at(j) != formatRead) {
                    formatRead = characterFormat.at(j);
                    startRunIfDiffers(entry, formatRead);
                }
                for (const QChar c : std::exchange(number, QString()))
                    appendCharacter(entry, c);
                appendCharacter(entry, text.at(j));
            }
            for (const QChar c : number)
                appendCharacter(entry, c);
            lines.append(entry);

            if (lastInBlock)
                break;
            start = end + 1;
        }
    }

    lines << RunEndTag << ParagraphEndTag << QString();
    lines += Footer;
}

QString TJvRichEditToHtml::RunStartTag(const TFontInfo &format)
{
    RunEndTag = QStringLiteral("</SPAN>");
    int size = qAbs(format.PointSize());
    if (size == 0)
        size = 8;
    m_colorConverter.RGBColor = format.Color;
    QString tag = QStringLiteral("<SPAN style=\"color: #%1; font-size: %2pt; font-family: %3;\">")
                      .arg(m_colorConverter.HTMLColor(), QString::number(size), format.FaceName);

    // Opened in this order, closed in the reverse one.
    const std::pair<TFontInfo::StyleFlag, QLatin1String> styleTags[] = {
        {TFontInfo::Bold, QLatin1String("B")},
        {TFontInfo::Italic, QLatin1String("I")},
        {TFontInfo::StrikeOut, QLatin1String("STRIKE")},
        {TFontInfo::Underline, QLatin1String("U")},
    };
    for (const auto &[style, name] : styleTags) {
        if (format.Style.testFlag(style)) {
            tag += u'<' + name + u'>';
            RunEndTag.prepend(QLatin1String("</") + name + u'>');
        }
    }
    return tag;
}

QString TJvRichEditToHtml::ParagraphStartTag(const ParagraphFormat &format)
{
    QLatin1String declaration("text-align: left;");
    if (format.Alignment == AlignRight)
        declaration = QLatin1String("text-align: right;");
    else if (format.Alignment == AlignCenter)
        declaration = QLatin1String("text-align: center;");
    else if (format.Alignment == AlignJustify)
        declaration = QLatin1String("text-align: justify;");
    const QString style = QLatin1String("STYLE=\"") + declaration + u'"';

    if (format.Numbering == Bullet) {
        ParagraphEndTag = QStringLiteral("</LI>");
        return QLatin1String("<LI ") + style + u'>';
    }
    ParagraphEndTag = QStringLiteral("</P>");
    return QLatin1String("<P ") + style + u'>';
}

bool TJvRichEditToHtml::FormatDiffers(const TFontInfo &a, const TFontInfo &b)
{
    return a.Color.rgb() != b.Color.rgb() || a.Style != b.Style || a.FaceName != b.FaceName ||
           a.PointSize() != b.PointSize();
}

bool TJvRichEditToHtml::ParagraphDiffers(const ParagraphFormat &a, const ParagraphFormat &b)
{
    return a.Alignment != b.Alignment || a.Numbering != b.Numbering;
}

QString TJvRichEditToHtml::CharEntity(QChar c)
{
    const QLatin1String entity = entityOf(c);
    return entity.isEmpty() ? QString(c) : QString(entity);
}

TJvRichEditToHtml::ParagraphFormat TJvRichEditToHtml::paragraphFormatOf(const QTextBlock &block)
{
    return {alignmentOf(block.blockFormat().alignment()), numberingOf(block.textList())};
}

QString TJvRichEditToHtml::headerEntry() const
{
    QString text;
    for (const QString &line : Header)
        text += line + QLatin1String("\r\n");
    return text.replace(QLatin1String("<#TITLE>"), Title);
}

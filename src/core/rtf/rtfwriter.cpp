#include "core/rtf/rtfwriter.h"

#include <algorithm>
#include <utility>

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "core/rtf/rtfcodepagedecoder.h"
#include "core/rtf/rtfdocumentbuilder.h"
#include "core/rtf/rtffonttable.h"

namespace {

constexpr int MaxHalfPoints = 3276;
constexpr int SymbolCharset = 2;

// The byte of each character that Windows-1252 has in 0x80..0xFF; 0 for all others.
uchar windows1252Byte(char16_t c)
{
    static const QHash<char16_t, uchar> bytes = [] {
        QByteArray high;
        for (int b = 0x80; b <= 0xFF; ++b)
            high.append(char(b));
        RtfCodePageDecoder decoder;
        const QString text = decoder.decode(high, 1252);
        QHash<char16_t, uchar> table;
        for (qsizetype i = 0; i < text.size() && i < high.size(); ++i) {
            if (text.at(i) != QChar::ReplacementCharacter)
                table.insert(text.at(i).unicode(), uchar(high.at(i)));
        }
        return table;
    }();
    return bytes.value(c);
}

Qt::Alignment horizontalAlignment(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    if (alignment & Qt::AlignJustify)
        return Qt::AlignJustify;
    if (alignment & Qt::AlignRight)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

int halfPointsOf(const QFont &font)
{
    qreal points = RtfCharacterState::DefaultHalfPoints / 2.0;
    if (font.pointSizeF() > 0)
        points = font.pointSizeF();
    else if (font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / 96.0;
    return std::clamp(qRound(points * 2), 1, MaxHalfPoints);
}

// The number of list item `number` as a list shows it: 3, c, iii. (QTextList::itemText() would
// search the list for every item, which takes time in the square of the list's length.)
QString itemLabel(QTextListFormat::Style style, int number)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha: {
        // a..z, then aa, ab and so on
        const char16_t first = style == QTextListFormat::ListLowerAlpha ? u'a' : u'A';
        QString label;
        for (int n = number; n > 0; n = (n - 1) / 26)
            label.prepend(QChar(char16_t(first + (n - 1) % 26)));
        return label;
    }
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman: {
        if (number <= 0 || number >= 5000)
            return QString::number(number);
        static const std::pair<int, const char *> numerals[] = {
            {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
            {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
        QString label;
        for (int n = number; const auto &[value, numeral] : numerals) {
            for (; n >= value; n -= value)
                label += QLatin1String(numeral);
        }
        return style == QTextListFormat::ListUpperRoman ? label.toUpper() : label;
    }
    default:
        return QString::number(number);
    }
}

void appendHexByte(QByteArray &out, uchar byte)
{
    constexpr char digits[] = "0123456789abcdef";
    out += "\\'";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

} // namespace

RtfWriter::RtfWriter(const QTextDocument *document, const QColor &automaticColor)
    : m_document(document), m_defaultFont(document->defaultFont()), m_alignment(Qt::AlignLeft)
{
    m_colors.append(0); // automatic
    if (automaticColor.isValid())
        m_automaticColor = colorIndex(automaticColor.rgb());
    // Font 0, the \deff0 that readers start with.
    const QString defaultName = RtfFontTable::entryName(m_defaultFont.family());
    m_fonts.append({defaultName, 0});
    m_fontIndex.insert(defaultName, 0);
    m_run.font = 0;
}

QByteArray RtfWriter::write()
{
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        writeParagraphStart(block);
        // An empty paragraph keeps its own format for the text typed into it later.
        if (block.length() <= 1)
            writeRun(runOf(block.charFormatIndex(), block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            writeRun(runOf(fragment.charFormatIndex(), fragment.charFormat()));
            writeText(m_body, fragment.text());
        }
        m_body += "\\par\r\n";
        m_needsDelimiter = false;
    }
    return header() + m_body + "}\r\n";
}

void RtfWriter::writeParagraphStart(const QTextBlock &block)
{
    const Qt::Alignment alignment = horizontalAlignment(block.blockFormat().alignment());
    const ListKind listKind = listKindOf(block);
    if (listKind != ListKind::None)
        m_itemNumber = ++m_itemsSoFar[block.textList()];
    const int headingLevel = std::clamp(block.blockFormat().headingLevel(), 0, 9);
    if (!m_firstParagraph && alignment == m_alignment && listKind == m_listKind &&
        headingLevel == m_headingLevel) {
        if (listKind != ListKind::None)
            writeListItemText(block, listKind);
        return;
    }
    m_firstParagraph = false;
    m_alignment = alignment;
    m_listKind = listKind;
    m_headingLevel = headingLevel;

    m_body += "\\pard";
    // A heading keeps its level for readers that look for headings (and for our own markers).
    if (headingLevel > 0)
        m_body += "\\outlinelevel" + QByteArray::number(headingLevel - 1);
    if (listKind != ListKind::None) {
        writeListItemText(block, listKind);
        if (listKind == ListKind::Bullet) {
            const QByteArray symbol = QByteArray::number(fontIndex(QStringLiteral("Symbol"), SymbolCharset));
            m_body += "{\\*\\pn\\pnlvlblt\\pnf" + symbol + "\\pnindent0{\\pntxtb\\'B7}}";
        } else {
            static const QHash<ListKind, const char *> numberings{{ListKind::Decimal, "\\pndec"},
                                                                  {ListKind::LowerLetter, "\\pnlcltr"},
                                                                  {ListKind::UpperLetter, "\\pnucltr"},
                                                                  {ListKind::LowerRoman, "\\pnlcrm"},
                                                                  {ListKind::UpperRoman, "\\pnucrm"}};
            m_body += "{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart" + QByteArray::number(m_itemNumber) +
                      numberings.value(listKind) + "{\\pntxta.}}";
        }
        m_body += "\\fi-360\\li720";
    }
    if (alignment == Qt::AlignHCenter)
        m_body += "\\qc";
    else if (alignment == Qt::AlignRight)
        m_body += "\\qr";
    else if (alignment == Qt::AlignJustify)
        m_body += "\\qj";
    m_needsDelimiter = true;
}

// The item's bullet or number as text, for readers that do not know \pn.
void RtfWriter::writeListItemText(const QTextBlock &block, ListKind kind)
{
    if (kind == ListKind::Bullet) {
        const QByteArray symbol = QByteArray::number(fontIndex(QStringLiteral("Symbol"), SymbolCharset));
        m_body += "{\\pntext\\f" + symbol + "\\'B7\\tab}";
        return;
    }
    const QTextListFormat format = block.textList()->format();
    // Lists show a full stop after the number unless their format says otherwise.
    const QString suffix =
        format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix() : QStringLiteral(".");
    m_body += "{\\pntext\\f0";
    bool needsDelimiter = true;
    writeText(m_body, format.numberPrefix() + itemLabel(format.style(), m_itemNumber) + suffix,
              needsDelimiter);
    m_body += "\\tab}";
}

void RtfWriter::writeRun(const RtfCharacterState &run)
{
    if (run.font != m_run.font)
        writeControlWord("\\f", run.font);
    if (run.halfPoints != m_run.halfPoints)
        writeControlWord("\\fs", run.halfPoints);
    if (run.color != m_run.color)
        writeControlWord("\\cf", run.color);
    if (run.bold != m_run.bold)
        writeControlWord(run.bold ? "\\b" : "\\b0");
    if (run.italic != m_run.italic)
        writeControlWord(run.italic ? "\\i" : "\\i0");
    if (run.underline != m_run.underline)
        writeControlWord(run.underline ? "\\ul" : "\\ulnone");
    if (run.strikeOut != m_run.strikeOut)
        writeControlWord(run.strikeOut ? "\\strike" : "\\strike0");
    m_run = run;
}

void RtfWriter::writeControlWord(const char *word, int parameter)
{
    m_body += word;
    m_body += QByteArray::number(parameter);
    m_needsDelimiter = true;
}

void RtfWriter::writeControlWord(const char *word)
{
    m_body += word;
    m_needsDelimiter = true;
}

void RtfWriter::writeText(QByteArray &out, QStringView text)
{
    writeText(out, text, m_needsDelimiter);
}

void RtfWriter::writeText(QByteArray &out, QStringView text, bool &needsDelimiter)
{
    for (const QChar character : text) {
        const char16_t c = character.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
            needsDelimiter = false;
        } else if (c == u'\t') {
            out += "\\tab";
            needsDelimiter = true;
        } else if (c == QChar::LineSeparator) {
            out += "\\line";
            needsDelimiter = true;
        } else if (!RtfDocumentBuilder::holdsAsText(c)) {
            continue;
        } else if (c < 0x80) {
            if (needsDelimiter)
                out += ' ';
            out += char(c);
            needsDelimiter = false;
        } else if (const uchar byte = windows1252Byte(c)) {
            appendHexByte(out, byte);
            needsDelimiter = false;
        } else {
            // \uN takes a signed 16-bit N; characters beyond the BMP go as their two surrogates.
            out += "\\u";
            out += QByteArray::number(c > 0x7FFF ? int(c) - 0x10000 : int(c));
            out += '?';
            needsDelimiter = false;
        }
    }
}

RtfCharacterState RtfWriter::runOf(int formatIndex, const QTextCharFormat &format)
{
    const auto found = m_runByFormatIndex.constFind(formatIndex);
    if (found != m_runByFormatIndex.cend())
        return *found;
    const QFont font = format.font().resolve(m_defaultFont);
    RtfCharacterState run;
    run.font = fontIndex(font.family());
    run.halfPoints = halfPointsOf(font);
    run.bold = font.weight() >= QFont::DemiBold;
    run.italic = font.italic();
    run.underline = format.hasProperty(QTextFormat::TextUnderlineStyle)
                        ? format.underlineStyle() != QTextCharFormat::NoUnderline
                        : font.underline();
    run.strikeOut = font.strikeOut();
    const QBrush foreground = format.foreground();
    run.color = foreground.style() == Qt::NoBrush ? m_automaticColor : colorIndex(foreground.color().rgb());
    m_runByFormatIndex.insert(formatIndex, run);
    return run;
}

int RtfWriter::fontIndex(const QString &family, int charset)
{
    // A face without a name that the table can hold reads back as the document's default font.
    const QString name = RtfFontTable::entryName(family);
    if (name.isEmpty())
        return 0;
    const auto found = m_fontIndex.constFind(name);
    if (found != m_fontIndex.cend())
        return *found;
    const int index = int(m_fonts.size());
    m_fonts.append({name, charset});
    m_fontIndex.insert(name, index);
    return index;
}

int RtfWriter::colorIndex(QRgb color)
{
    const QRgb opaque = qRgb(qRed(color), qGreen(color), qBlue(color));
    const auto found = m_colorIndex.constFind(opaque);
    if (found != m_colorIndex.cend())
        return *found;
    const int index = int(m_colors.size());
    m_colors.append(opaque);
    m_colorIndex.insert(opaque, index);
    return index;
}

QByteArray RtfWriter::header()
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset" + QByteArray::number(m_fonts[i].charset) +
               ' ';
        bool needsDelimiter = false;
        writeText(out, m_fonts[i].family, needsDelimiter);
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (qsizetype i = 1; i < m_colors.size(); ++i) {
        const QRgb color = m_colors[i];
        out += "\\red" + QByteArray::number(qRed(color)) + "\\green" + QByteArray::number(qGreen(color)) +
               "\\blue" + QByteArray::number(qBlue(color)) + ';';
    }
    out += "}\r\n\\uc1\r\n";
    return out;
}

RtfWriter::ListKind RtfWriter::listKindOf(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return ListKind::None;
    switch (list->format().style()) {
    case QTextListFormat::ListDecimal:
        return ListKind::Decimal;
    case QTextListFormat::ListLowerAlpha:
        return ListKind::LowerLetter;
    case QTextListFormat::ListUpperAlpha:
        return ListKind::UpperLetter;
    case QTextListFormat::ListLowerRoman:
        return ListKind::LowerRoman;
    case QTextListFormat::ListUpperRoman:
        return ListKind::UpperRoman;
    default: // disc, circle, square and styles without a marker of their own
        return ListKind::Bullet;
    }
}

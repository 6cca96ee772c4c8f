#include "core/rtf/rtfreader.h"

#include <algorithm>
#include <utility>

#include <QTextDocument>

#include "core/rtf/rtftoken.h"
#include "core/rtf/rtftokenizer.h"

namespace {

constexpr int MaxHalfPoints = 3276; // 1638 points, the largest size word processors offer
constexpr int MaxUnicodeFallbackLength = 16;

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

qsizetype startOfContent(QByteArrayView data)
{
    qsizetype start = 0;
    while (start < data.size() && isWhiteSpace(data[start]))
        ++start;
    return start;
}

// \b, \b1 switch on; \b0 switches off.
bool isOn(bool hasParameter, int parameter)
{
    return !hasParameter || parameter != 0;
}

} // namespace

RtfReader::RtfReader(QTextDocument *document) : m_builder(document), m_groups(1) {}

bool RtfReader::recognizes(QByteArrayView data)
{
    return data.sliced(startOfContent(data)).startsWith("{\\rtf");
}

void RtfReader::read(QByteArrayView data)
{
    RtfTokenizer tokenizer(data.sliced(startOfContent(data)));
    RtfToken token;
    while (!m_documentEnded && tokenizer.next(token))
        handle(token);
    flushBytes();
    m_builder.finish(state().paragraph.alignment, listStyle(state().paragraph),
                     headingLevel(state().paragraph));
}

void RtfReader::handle(const RtfToken &token)
{
    switch (token.kind) {
    case RtfToken::Kind::GroupOpen:
        flushBytes();
        m_fallbackBytesToSkip = 0;
        openGroup();
        return;
    case RtfToken::Kind::GroupClose:
        flushBytes();
        m_fallbackBytesToSkip = 0;
        closeGroup();
        return;
    default:
        break;
    }
    if (state().destination == RtfDestination::Skip)
        return;
    // After \*, anything but the control word of a destination makes the group one to skip.
    if (state().ignorableDestination && token.kind != RtfToken::Kind::ControlWord &&
        !(token.kind == RtfToken::Kind::ControlSymbol && token.symbol == '*')) {
        state().destination = RtfDestination::Skip;
        return;
    }

    if (token.kind == RtfToken::Kind::Text) {
        std::string_view bytes = token.text;
        const size_t skipped = std::min(bytes.size(), size_t(m_fallbackBytesToSkip));
        m_fallbackBytesToSkip -= int(skipped);
        bytes.remove_prefix(skipped);
        if (!bytes.empty())
            handleText(bytes);
        return;
    }
    // A stand-in for a \uN character may also be an escape or a control word: one counts as one.
    if (m_fallbackBytesToSkip > 0) {
        --m_fallbackBytesToSkip;
        return;
    }
    switch (token.kind) {
    case RtfToken::Kind::HexByte:
        if (collectsText())
            m_pendingBytes.append(token.symbol);
        return;
    case RtfToken::Kind::ControlSymbol:
        handleControlSymbol(token.symbol);
        return;
    case RtfToken::Kind::ControlWord:
        flushBytes();
        handleControlWord(token.word, token.hasParameter, token.parameter);
        return;
    default:
        return;
    }
}

void RtfReader::openGroup()
{
    if (m_groups.size() >= MaxGroupDepth) {
        ++m_groupsPastLimit;
        return;
    }
    RtfGroupState inner = state();
    inner.ignorableDestination = false;
    m_groups.push_back(inner);
}

void RtfReader::closeGroup()
{
    if (m_groupsPastLimit > 0) {
        --m_groupsPastLimit;
        return;
    }
    // The document's outer group ends the document; whatever follows it is not read. Its state
    // stays, for the formatting of a last paragraph without a paragraph mark.
    if (m_groups.size() <= 2) {
        m_documentEnded = true;
        return;
    }
    RtfGroupState closed = std::move(m_groups.back());
    m_groups.pop_back();
    endDestination(closed);
}

void RtfReader::endDestination(const RtfGroupState &closed)
{
    const RtfDestination outer = state().destination;
    switch (closed.destination) {
    case RtfDestination::FontTable:
        m_fonts.endEntry();
        break;
    case RtfDestination::List:
        if (outer != RtfDestination::List)
            m_lists.endList();
        break;
    case RtfDestination::ListLevel:
        if (outer != RtfDestination::ListLevel)
            m_lists.endLevel();
        break;
    case RtfDestination::ListOverride:
        if (outer != RtfDestination::ListOverride)
            m_lists.endOverride();
        break;
    case RtfDestination::Numbering:
        // A \pn group states the numbering of the paragraph around it.
        if (outer != RtfDestination::Numbering)
            state().paragraph.numbering = closed.paragraph.numbering;
        break;
    default:
        break;
    }
}

void RtfReader::handleText(std::string_view bytes)
{
    switch (state().destination) {
    case RtfDestination::Text:
        m_pendingBytes.append(bytes.data(), qsizetype(bytes.size()));
        break;
    case RtfDestination::FontTable:
        // Each entry's name ends with a semicolon.
        for (size_t semicolon; (semicolon = bytes.find(';')) != std::string_view::npos;) {
            m_pendingBytes.append(bytes.data(), qsizetype(semicolon));
            flushBytes();
            m_fonts.endEntry();
            bytes.remove_prefix(semicolon + 1);
        }
        m_pendingBytes.append(bytes.data(), qsizetype(bytes.size()));
        break;
    case RtfDestination::StyleSheet:
        // Style names that matter are ASCII; each entry ends with a semicolon.
        for (size_t semicolon; (semicolon = bytes.find(';')) != std::string_view::npos;) {
            m_styles.appendToName(QString::fromLatin1(bytes.data(), qsizetype(semicolon)));
            m_styles.endEntry();
            bytes.remove_prefix(semicolon + 1);
        }
        m_styles.appendToName(QString::fromLatin1(bytes.data(), qsizetype(bytes.size())));
        break;
    case RtfDestination::ColorTable:
        for (qsizetype n = std::count(bytes.begin(), bytes.end(), ';'); n > 0; --n)
            m_colors.endEntry();
        break;
    default:
        break;
    }
}

void RtfReader::handleControlSymbol(char symbol)
{
    switch (symbol) {
    case '*':
        state().ignorableDestination = true;
        return;
    case '\\':
    case '{':
    case '}':
        if (collectsText())
            m_pendingBytes.append(symbol);
        return;
    default:
        break;
    }
    flushBytes();
    if (state().destination != RtfDestination::Text)
        return;
    switch (symbol) {
    case '~':
        appendCharacter(u'\u00A0'); // no-break space
        break;
    case '_':
        appendCharacter(u'\u2011'); // no-break hyphen
        break;
    case '-':
        appendCharacter(u'\u00AD'); // soft hyphen
        break;
    default:
        break;
    }
}

void RtfReader::handleControlWord(std::string_view word, bool hasParameter, int parameter)
{
    RtfGroupState &group = state();
    const bool ignorable = std::exchange(group.ignorableDestination, false);
    const RtfKeywordMeaning meaning = rtfKeyword(word);
    switch (meaning.keyword) {
    case RtfKeyword::SkippedDestination:
        group.destination = RtfDestination::Skip;
        return;
    case RtfKeyword::FontTable:
        group.destination = RtfDestination::FontTable;
        return;
    case RtfKeyword::ColorTable:
        group.destination = RtfDestination::ColorTable;
        return;
    case RtfKeyword::ListTable:
        group.destination = RtfDestination::ListTable;
        return;
    case RtfKeyword::ListOverrideTable:
        group.destination = RtfDestination::ListOverrideTable;
        return;
    case RtfKeyword::StyleSheet:
        group.destination = RtfDestination::StyleSheet;
        return;
    case RtfKeyword::Numbering:
        group.destination = RtfDestination::Numbering;
        group.paragraph.numbering = QTextListFormat::ListStyleUndefined;
        return;
    case RtfKeyword::Unicode:
        // \uN is a signed 16-bit number; N past that range is not a character.
        if (collectsText())
            appendCharacter(char16_t(std::clamp(parameter, -0x8000, 0xFFFF) & 0xFFFF));
        m_fallbackBytesToSkip = group.unicodeFallbackLength;
        return;
    case RtfKeyword::UnicodeFallbackLength:
        group.unicodeFallbackLength = std::clamp(parameter, 0, MaxUnicodeFallbackLength);
        return;
    default:
        break;
    }
    // An ignorable destination that the reader does not know: its content is stepped over.
    if (ignorable) {
        group.destination = RtfDestination::Skip;
        return;
    }
    switch (group.destination) {
    case RtfDestination::Text:
        handleDocumentWord(meaning, hasParameter, parameter);
        break;
    case RtfDestination::FontTable:
        handleFontTableWord(meaning.keyword, parameter);
        break;
    case RtfDestination::ColorTable:
        handleColorTableWord(meaning.keyword, parameter);
        break;
    case RtfDestination::ListTable:
    case RtfDestination::List:
    case RtfDestination::ListLevel:
    case RtfDestination::ListOverrideTable:
    case RtfDestination::ListOverride:
        handleListTableWord(meaning.keyword, parameter);
        break;
    case RtfDestination::Numbering:
        handleNumberingWord(meaning.keyword);
        break;
    case RtfDestination::StyleSheet:
        handleStyleSheetWord(meaning.keyword, parameter);
        break;
    case RtfDestination::Skip:
        break;
    }
}

void RtfReader::handleDocumentWord(RtfKeywordMeaning meaning, bool hasParameter, int parameter)
{
    RtfCharacterState &character = state().character;
    RtfParagraphState &paragraph = state().paragraph;
    switch (meaning.keyword) {
    case RtfKeyword::Character:
        appendCharacter(meaning.character);
        break;
    case RtfKeyword::Ansi:
        m_documentCodePage = 1252;
        break;
    case RtfKeyword::Mac:
        m_documentCodePage = 10000;
        break;
    case RtfKeyword::Pc:
        m_documentCodePage = 437;
        break;
    case RtfKeyword::Pca:
        m_documentCodePage = 850;
        break;
    case RtfKeyword::AnsiCodePage:
        if (parameter > 0)
            m_documentCodePage = parameter;
        break;
    case RtfKeyword::DefaultFont:
        m_defaultFont = parameter;
        character.font = parameter;
        break;
    case RtfKeyword::Plain:
        character = RtfCharacterState();
        character.font = m_defaultFont;
        break;
    case RtfKeyword::Bold:
        character.bold = isOn(hasParameter, parameter);
        break;
    case RtfKeyword::Italic:
        character.italic = isOn(hasParameter, parameter);
        break;
    case RtfKeyword::Underline:
        character.underline = isOn(hasParameter, parameter);
        break;
    case RtfKeyword::UnderlineNone:
        character.underline = false;
        break;
    case RtfKeyword::StrikeOut:
        character.strikeOut = isOn(hasParameter, parameter);
        break;
    case RtfKeyword::Font:
        character.font = parameter;
        break;
    case RtfKeyword::FontSize:
        character.halfPoints =
            hasParameter ? std::clamp(parameter, 1, MaxHalfPoints) : RtfCharacterState::DefaultHalfPoints;
        break;
    case RtfKeyword::ForegroundColor:
        character.color = std::max(parameter, 0);
        break;
    case RtfKeyword::ParagraphDefaults:
        paragraph = RtfParagraphState();
        break;
    case RtfKeyword::AlignLeft:
        paragraph.alignment = Qt::AlignLeft;
        break;
    case RtfKeyword::AlignCenter:
        paragraph.alignment = Qt::AlignHCenter;
        break;
    case RtfKeyword::AlignRight:
        paragraph.alignment = Qt::AlignRight;
        break;
    case RtfKeyword::AlignJustify:
        paragraph.alignment = Qt::AlignJustify;
        break;
    case RtfKeyword::ListNumber:
        paragraph.list = std::max(parameter, 0);
        break;
    case RtfKeyword::ListLevelNumber:
        paragraph.listLevel = std::clamp(parameter, 0, RtfListTable::MaxLevels - 1);
        break;
    case RtfKeyword::ParagraphStyle:
        paragraph.style = parameter;
        break;
    case RtfKeyword::OutlineLevel:
        paragraph.outlineLevel = parameter;
        break;
    case RtfKeyword::Paragraph:
        syncCharFormat();
        m_builder.endParagraph(paragraph.alignment, listStyle(paragraph), headingLevel(paragraph));
        break;
    case RtfKeyword::Cell:
        m_builder.endCell();
        break;
    case RtfKeyword::Row:
        syncCharFormat();
        m_builder.endRow(paragraph.alignment, listStyle(paragraph), headingLevel(paragraph));
        break;
    default:
        break;
    }
}

void RtfReader::handleFontTableWord(RtfKeyword keyword, int parameter)
{
    switch (keyword) {
    case RtfKeyword::Font:
        m_fonts.beginEntry(parameter);
        break;
    case RtfKeyword::FontCharset:
        m_fonts.setCharset(parameter);
        break;
    case RtfKeyword::FontCodePage:
        m_fonts.setCodePage(parameter);
        break;
    default:
        break;
    }
}

void RtfReader::handleColorTableWord(RtfKeyword keyword, int parameter)
{
    switch (keyword) {
    case RtfKeyword::Red:
        m_colors.setRed(parameter);
        break;
    case RtfKeyword::Green:
        m_colors.setGreen(parameter);
        break;
    case RtfKeyword::Blue:
        m_colors.setBlue(parameter);
        break;
    default:
        break;
    }
}

void RtfReader::handleListTableWord(RtfKeyword keyword, int parameter)
{
    RtfDestination &destination = state().destination;
    switch (keyword) {
    case RtfKeyword::List:
        if (destination == RtfDestination::ListTable) {
            destination = RtfDestination::List;
            m_lists.beginList();
        }
        break;
    case RtfKeyword::ListLevel:
        if (destination == RtfDestination::List) {
            destination = RtfDestination::ListLevel;
            m_lists.beginLevel();
        }
        break;
    case RtfKeyword::LevelNumberFormat:
        if (destination == RtfDestination::ListLevel)
            m_lists.setLevelNumberFormat(parameter);
        break;
    case RtfKeyword::ListId:
        if (destination == RtfDestination::List)
            m_lists.setListId(parameter);
        else if (destination == RtfDestination::ListOverride)
            m_lists.setOverrideListId(parameter);
        break;
    case RtfKeyword::ListOverride:
        if (destination == RtfDestination::ListOverrideTable) {
            destination = RtfDestination::ListOverride;
            m_lists.beginOverride();
        }
        break;
    case RtfKeyword::ListNumber:
        if (destination == RtfDestination::ListOverride)
            m_lists.setOverrideNumber(parameter);
        break;
    default:
        break;
    }
}

void RtfReader::handleStyleSheetWord(RtfKeyword keyword, int parameter)
{
    switch (keyword) {
    case RtfKeyword::ParagraphStyle:
        m_styles.setStyleNumber(parameter);
        break;
    case RtfKeyword::OutlineLevel:
        m_styles.setOutlineLevel(parameter);
        break;
    default:
        break;
    }
}

void RtfReader::handleNumberingWord(RtfKeyword keyword)
{
    QTextListFormat::Style &numbering = state().paragraph.numbering;
    switch (keyword) {
    case RtfKeyword::NumberingBullet:
        numbering = QTextListFormat::ListDisc;
        break;
    case RtfKeyword::NumberingBody:
        // A numbered level; \pndec and its kin may say more, before or after.
        if (numbering == QTextListFormat::ListStyleUndefined || numbering == QTextListFormat::ListDisc)
            numbering = QTextListFormat::ListDecimal;
        break;
    case RtfKeyword::NumberingContinue:
        numbering = QTextListFormat::ListStyleUndefined;
        break;
    case RtfKeyword::NumberingDecimal:
        numbering = QTextListFormat::ListDecimal;
        break;
    case RtfKeyword::NumberingUpperLetter:
        numbering = QTextListFormat::ListUpperAlpha;
        break;
    case RtfKeyword::NumberingLowerLetter:
        numbering = QTextListFormat::ListLowerAlpha;
        break;
    case RtfKeyword::NumberingUpperRoman:
        numbering = QTextListFormat::ListUpperRoman;
        break;
    case RtfKeyword::NumberingLowerRoman:
        numbering = QTextListFormat::ListLowerRoman;
        break;
    default:
        break;
    }
}

bool RtfReader::collectsText() const
{
    return state().destination == RtfDestination::Text || state().destination == RtfDestination::FontTable;
}

void RtfReader::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    const QString text = m_decoder.decode(m_pendingBytes, currentCodePage());
    m_pendingBytes.resize(0);
    appendDecoded(text);
}

void RtfReader::appendCharacter(char16_t c)
{
    appendDecoded(QStringView(&c, 1));
}

void RtfReader::appendDecoded(QStringView text)
{
    switch (state().destination) {
    case RtfDestination::Text:
        syncCharFormat();
        m_builder.appendText(text);
        break;
    case RtfDestination::FontTable:
        m_fonts.appendToName(text);
        break;
    default:
        break;
    }
}

int RtfReader::currentCodePage() const
{
    const int codePage = state().destination == RtfDestination::FontTable
                             ? m_fonts.codePageOfOpenEntry()
                             : m_fonts.codePage(state().character.font);
    return codePage > 0 ? codePage : m_documentCodePage;
}

void RtfReader::syncCharFormat()
{
    if (m_builderHasFormat && state().character == m_builderCharacter)
        return;
    m_builderCharacter = state().character;
    m_builderHasFormat = true;
    m_builder.setCharFormat(charFormat(m_builderCharacter));
}

QTextCharFormat RtfReader::charFormat(const RtfCharacterState &character) const
{
    QTextCharFormat format;
    const QString family = m_fonts.family(character.font);
    if (!family.isEmpty())
        format.setFontFamilies(QStringList{family});
    format.setFontPointSize(character.halfPoints / 2.0);
    format.setFontWeight(character.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(character.italic);
    format.setFontUnderline(character.underline);
    format.setFontStrikeOut(character.strikeOut);
    if (const std::optional<QColor> color = m_colors.color(character.color))
        format.setForeground(*color);
    return format;
}

QTextListFormat::Style RtfReader::listStyle(const RtfParagraphState &paragraph) const
{
    return paragraph.list > 0 ? m_lists.style(paragraph.list, paragraph.listLevel) : paragraph.numbering;
}

int RtfReader::headingLevel(const RtfParagraphState &paragraph) const
{
    if (paragraph.outlineLevel >= 0)
        return paragraph.outlineLevel <= RtfStyleSheet::MaxOutlineLevel ? paragraph.outlineLevel + 1 : 0;
    return m_styles.headingLevel(paragraph.style);
}

#pragma once

#include <string_view>
#include <vector>

#include <QByteArray>
#include <QTextCharFormat>

#include "core/rtf/rtfcharacterstate.h"
#include "core/rtf/rtfcodepagedecoder.h"
#include "core/rtf/rtfcolortable.h"
#include "core/rtf/rtfdocumentbuilder.h"
#include "core/rtf/rtffonttable.h"
#include "core/rtf/rtfgroupstate.h"
#include "core/rtf/rtfkeywords.h"
#include "core/rtf/rtflisttable.h"
#include "core/rtf/rtfstylesheet.h"

class QTextDocument;
struct RtfToken;

// Reads RTF into a QTextDocument: text with face, size, bold, italic, underline, strike-out and
// colour; paragraphs with alignment, bullets or numbering and heading levels (from the style sheet
// or an outline level); table cells as tab-separated text.
// Groups are kept on an explicit stack, never by recursion, so any nesting depth is safe; damaged
// RTF is read as far as it makes sense and never stops the reader.
class RtfReader {
public:
    // Empties `document`, which read() then fills.
    explicit RtfReader(QTextDocument *document);

    // True when `data`, after leading white space, starts like an RTF document.
    static bool recognizes(QByteArrayView data);

    // Replaces the document's content with what `data` holds; `data` must be recognized.
    void read(QByteArrayView data);

    // Groups nested deeper than this share the state of the deepest one kept.
    static constexpr size_t MaxGroupDepth = 256;

private:
    void handle(const RtfToken &token);
    void openGroup();
    void closeGroup();
    void endDestination(const RtfGroupState &closed);
    void handleText(std::string_view bytes);
    void handleControlSymbol(char symbol);
    void handleControlWord(std::string_view word, bool hasParameter, int parameter);
    void handleDocumentWord(RtfKeywordMeaning meaning, bool hasParameter, int parameter);
    void handleFontTableWord(RtfKeyword keyword, int parameter);
    void handleColorTableWord(RtfKeyword keyword, int parameter);
    void handleListTableWord(RtfKeyword keyword, int parameter);
    void handleNumberingWord(RtfKeyword keyword);
    void handleStyleSheetWord(RtfKeyword keyword, int parameter);

    bool collectsText() const;
    void flushBytes();
    void appendCharacter(char16_t c);
    void appendDecoded(QStringView text);
    void syncCharFormat();
    QTextCharFormat charFormat(const RtfCharacterState &character) const;
    QTextListFormat::Style listStyle(const RtfParagraphState &paragraph) const;
    // 1 for a top heading, 0 for a paragraph that is none.
    int headingLevel(const RtfParagraphState &paragraph) const;
    int currentCodePage() const;
    RtfGroupState &state() { return m_groups.back(); }
    const RtfGroupState &state() const { return m_groups.back(); }

    RtfDocumentBuilder m_builder;
    RtfCodePageDecoder m_decoder;
    RtfFontTable m_fonts;
    RtfColorTable m_colors;
    RtfListTable m_lists;
    RtfStyleSheet m_styles;

    // m_groups[0] is the level outside the document's outer group.
    std::vector<RtfGroupState> m_groups;
    qsizetype m_groupsPastLimit = 0;
    bool m_documentEnded = false;

    int m_documentCodePage = 1252;
    int m_defaultFont = -1;
    int m_fallbackBytesToSkip = 0; // after \uN: the stand-in of the character just read
    QByteArray m_pendingBytes;     // 8-bit text not yet decoded

    RtfCharacterState m_builderCharacter;
    bool m_builderHasFormat = false;
};

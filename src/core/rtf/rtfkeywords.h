#pragma once

#include <string_view>

// The control words the reader acts on. Words that mean the same to it share one value: every
// destination whose content is not document text is SkippedDestination, and every word that
// stands for one character is Character.
enum class RtfKeyword {
    Unknown,
    SkippedDestination,
    Character,
    // Document header
    Ansi,
    AnsiCodePage,
    Mac,
    Pc,
    Pca,
    DefaultFont,
    // Destinations the reader reads
    FontTable,
    ColorTable,
    ListTable,
    ListOverrideTable,
    Numbering,
    StyleSheet,
    // Unicode
    Unicode,
    UnicodeFallbackLength,
    // Character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    StrikeOut,
    Font,
    FontSize,
    ForegroundColor,
    // Paragraph formatting
    ParagraphDefaults,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    ListNumber,
    ListLevelNumber,
    ParagraphStyle, // \sN
    OutlineLevel,
    // Breaks
    Paragraph,
    Cell,
    Row,
    // Font table entries
    FontCharset,
    FontCodePage,
    // Colour table entries
    Red,
    Green,
    Blue,
    // List tables
    List,
    ListId,
    ListLevel,
    LevelNumberFormat,
    ListOverride,
    // Old-style numbering (inside \pn)
    NumberingBullet,
    NumberingBody,
    NumberingContinue,
    NumberingDecimal,
    NumberingUpperLetter,
    NumberingLowerLetter,
    NumberingUpperRoman,
    NumberingLowerRoman,
};

struct RtfKeywordMeaning {
    RtfKeyword keyword = RtfKeyword::Unknown;
    char16_t character = 0; // for RtfKeyword::Character
};

// What a control word means to the reader; Unknown for words it ignores.
RtfKeywordMeaning rtfKeyword(std::string_view word);

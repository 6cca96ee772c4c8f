#pragma once

#include <string_view>

// One lexical unit of RTF as RtfTokenizer hands it out.
struct RtfToken {
    enum class Kind {
        GroupOpen,     // {
        GroupClose,    // }
        ControlWord,   // \word or \word-123: `word`, `hasParameter`, `parameter`
        ControlSymbol, // \ and one character that is not a letter: `symbol`
        HexByte,       // \'hh: the byte in `symbol`
        Text           // a run of plain bytes: `text`
    };

    Kind kind = Kind::Text;
    std::string_view word;
    std::string_view text;
    int parameter = 0; // clamped to the range of int
    bool hasParameter = false;
    char symbol = 0;
};

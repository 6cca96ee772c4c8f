#pragma once

#include "core/rtf/rtfcharacterstate.h"
#include "core/rtf/rtfparagraphstate.h"

// What the text of a group is: document text, a table to read, or something to step over.
enum class RtfDestination {
    Text,
    Skip,
    FontTable,
    ColorTable,
    ListTable,
    List,
    ListLevel,
    ListOverrideTable,
    ListOverride,
    Numbering, // an old-style \pn paragraph numbering
    StyleSheet
};

// The state that an RTF group carries and that its closing brace restores.
struct RtfGroupState {
    RtfDestination destination = RtfDestination::Text;
    RtfCharacterState character;
    RtfParagraphState paragraph;
    int unicodeFallbackLength = 1;     // \ucN: bytes after \uN that stand in for the character
    bool ignorableDestination = false; // \* seen: the next control word names the destination
};

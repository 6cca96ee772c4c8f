#pragma once

// Character formatting as RTF states it: font and colour as numbers into the document's tables.
struct RtfCharacterState {
    static constexpr int DefaultHalfPoints = 24; // RTF's 12 points when \fs is absent
    static constexpr int AutomaticColor = 0;

    int font = -1; // -1: no font named (the document's default font)
    int halfPoints = DefaultHalfPoints;
    int color = AutomaticColor;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const RtfCharacterState &other) const = default;
};

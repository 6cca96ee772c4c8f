#pragma once

#include <optional>
#include <vector>

#include <QColor>

// The colours of an RTF document's \colortbl, by index. An entry without any of \red, \green
// and \blue is the automatic colour (by convention the first one).
class RtfColorTable {
public:
    void setRed(int value);
    void setGreen(int value);
    void setBlue(int value);
    // A semicolon: the entry is complete.
    void endEntry();

    // Colour `index` of \cfN; none for index 0 (always automatic), an automatic entry or an index
    // the table does not have.
    std::optional<QColor> color(int index) const;

private:
    std::vector<std::optional<QColor>> m_colors;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_entryHasComponents = false;
};

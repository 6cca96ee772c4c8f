#pragma once

#include <Qt>
#include <QTextListFormat>

// Paragraph formatting as RTF states it. A paragraph is a list item either through an old-style
// \pn numbering (`numbering`) or through a list of the list tables (`list`, `listLevel`).
struct RtfParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    QTextListFormat::Style numbering = QTextListFormat::ListStyleUndefined;
    int list = 0; // \lsN; 0: none
    int listLevel = 0;
    int style = 0;         // \sN: the style sheet's paragraph style
    int outlineLevel = -1; // \outlinelevelN: 0 for a top heading; -1: as the style says
};

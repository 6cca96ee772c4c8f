#pragma once

#include <optional>

#include <QString>
#include <Qt>

#include "core/import/runproperties.h"

class QXmlStreamReader;

// The paragraph properties (<w:pPr>) that matter on the page; those a style may give merge.
struct DocxParagraphProperties {
    QString style;
    std::optional<Qt::Alignment> alignment;
    std::optional<QString> numbering; // numId; "0" takes a style's numbering away
    std::optional<int> level;
    std::optional<int> outlineLevel;
    // A drop cap: the paragraph is the first letters of the next one, set large in a frame.
    bool dropCap = false;

    void mergeFrom(const DocxParagraphProperties &over);
};

// WordprocessingML's properties, read from the start of <w:rPr> or of <w:pPr> to its end. A
// <w:rPr> inside <w:pPr> formats only the paragraph mark, and is passed over.
RunProperties readrunproperties(QXmlStreamReader &xml);
DocxParagraphProperties readparagraphproperties(QXmlStreamReader &xml);

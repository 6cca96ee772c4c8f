#pragma once

#include <optional>

#include <QString>
#include <Qt>

#include "core/import/runproperties.h"

class QXmlStreamReader;

// The paragraph properties (<w:pPr>) that matter on the page.
struct DocxParagraphProperties {
    QString style;
    std::optional<Qt::Alignment> alignment;
    std::optional<QString> numbering; // numId; "0" takes a style's numbering away
    std::optional<int> level;
    std::optional<int> outlineLevel;

    void mergeFrom(const DocxParagraphProperties &over);
};

// WordprocessingML's properties, read from the start of <w:rPr> or of <w:pPr> to its end. A
// <w:rPr> inside <w:pPr> formats only the paragraph mark, and is passed over.
RunProperties readrunproperties(QXmlStreamReader &xml);
DocxParagraphProperties readparagraphproperties(QXmlStreamReader &xml);

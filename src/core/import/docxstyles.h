#pragma once

#include <QHash>
#include <QString>

#include "core/import/docxproperties.h"

class ZipPackage;

// The styles part of a .docx: the document's defaults and its paragraph and character styles,
// each resolved through the styles it is based on.
class DocxStyles {
public:
    DocxStyles() = default;
    // Reads `part` of `package`; no part gives no styles. Throws when its XML is broken.
    DocxStyles(const ZipPackage &package, const QString &part);

    const RunProperties &defaultRun() const { return m_defaultRun; }
    // The paragraph style of a paragraph that names none.
    QString defaultParagraphStyle() const { return m_defaultParagraphStyle; }

    // What the style `id` and those it is based on set, the defaults left out.
    DocxParagraphProperties paragraph(const QString &id) const;
    RunProperties run(const QString &id) const;
    // The heading level (0 for the first) of a paragraph style, or -1 for none: a style named
    // "heading N" (as Word and LibreOffice name them) or one with an outline level.
    int headingLevel(const QString &id) const;

private:
    struct Style {
        QString basedOn;
        QString name;
        DocxParagraphProperties paragraph;
        RunProperties run;
    };
    // `id` and what it is based on, the most basic first (a loop of styles is cut).
    QList<const Style *> chain(const QString &id) const;

    RunProperties m_defaultRun;
    QString m_defaultParagraphStyle;
    QHash<QString, Style> m_styles;
};

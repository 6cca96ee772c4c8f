#pragma once

#include <optional>

#include <QHash>
#include <QList>
#include <QString>
#include <QTextListFormat>
#include <Qt>

#include "core/import/importedtext.h"
#include "core/import/runproperties.h"

class QXmlStreamReader;

// The styles of an OpenDocument text: common and automatic paragraph and text styles, the
// defaults, list styles and font faces, gathered from styles.xml and content.xml, each resolved
// through its parents.
class OdtStyles {
public:
    // Reads the style elements (<office:styles>, <office:automatic-styles>,
    // <office:font-face-decls>) found in `xml` from its current element to the end of it.
    void read(QXmlStreamReader &xml);

    // What a paragraph in `name` shows: its text properties over the defaults, and its alignment.
    RunProperties paragraphRun(const QString &name) const;
    std::optional<Qt::Alignment> alignment(const QString &name) const;
    // Whether the style chain of `name` sets boldness or a size of its own.
    bool setsBold(const QString &name) const;
    bool setsSize(const QString &name) const;
    // What a span in the text style `name` sets over its paragraph's `base`.
    RunProperties span(const QString &name, const RunProperties &base) const;
    // The marks of list style `name`, one per level.
    QList<ImportedListLevel> listLevels(const QString &name) const;
    // The marks of the headings' numbers, one per outline level.
    QList<ImportedListLevel> outlineLevels() const;

private:
    struct Style {
        QString parent;
        RunProperties run;
        std::optional<qreal> relativeSize; // a size given in percent of the parent's
        std::optional<QString> fontName;   // a font face declared apart
        std::optional<Qt::Alignment> alignment;
    };
    void readstyle(QXmlStreamReader &xml, bool isDefault);
    static QList<ImportedListLevel> readliststyle(QXmlStreamReader &xml);
    void readtextproperties(QXmlStreamReader &xml, Style &style) const;
    QList<const Style *> chain(const QString &family, const QString &name) const;
    RunProperties resolve(const QList<const Style *> &styles, RunProperties run) const;

    QHash<QString, Style> m_styles; // by family and name, "paragraph/Heading_20_1"
    Style m_defaultParagraph;
    QHash<QString, QList<ImportedListLevel>> m_lists;
    QList<ImportedListLevel> m_outline;
    QHash<QString, QString> m_faces; // font face name to family
};

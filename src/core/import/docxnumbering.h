#pragma once

#include <optional>

#include <QHash>
#include <QList>
#include <QString>

#include "core/import/importedtext.h"

class QXmlStreamReader;
class ZipPackage;

// The numbering part of a .docx: how each numbering (numId) marks its list items, level by level.
class DocxNumbering {
public:
    struct Numbering {
        QList<ImportedListLevel> levels; // ListStyleUndefined for a level without marks
        // Numberings with the same key count on from each other: those of one abstract numbering,
        // unless one starts its numbers anew.
        QString countingKey;
    };

    DocxNumbering() = default;
    // Reads `part` of `package`; no part gives no numbering. Throws when its XML is broken.
    DocxNumbering(const ZipPackage &package, const QString &part);

    // Numbering `id`; nothing for a numbering the document does not define.
    std::optional<Numbering> numbering(const QString &id) const;

private:
    struct Override {
        std::optional<int> start;
        std::optional<ImportedListLevel> level;
    };
    struct Instance {
        QString abstract;
        QHash<int, Override> overrides; // by level
    };
    static void readlevel(QXmlStreamReader &xml, QList<ImportedListLevel> &levels);

    QHash<QString, QList<ImportedListLevel>> m_abstract;
    QHash<QString, Instance> m_instances;
};

#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QTextListFormat>

class ZipPackage;

// The numbering part of a .docx: how each numbering (numId) marks its list items, level by level.
class DocxNumbering {
public:
    DocxNumbering() = default;
    // Reads `part` of `package`; no part gives no numbering. Throws when its XML is broken.
    DocxNumbering(const ZipPackage &package, const QString &part);

    // The marks of numbering `id`, one per level (ListStyleUndefined for a level without marks);
    // empty for a numbering the document does not define.
    QList<QTextListFormat::Style> levels(const QString &id) const;

private:
    QHash<QString, QList<QTextListFormat::Style>> m_abstract;
    QHash<QString, QString> m_abstractOf;
};

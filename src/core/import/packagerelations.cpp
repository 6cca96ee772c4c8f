#include "core/import/packagerelations.h"

#include <QDir>
#include <QFileInfo>
#include <QXmlStreamReader>

#include "core/import/xmlpart.h"
#include "core/import/zippackage.h"

QString relatedpart(const ZipPackage &package, const QString &source, const QString &type,
                    const QString &fallback)
{
    const QString folder = source.isEmpty() ? QString() : QFileInfo(source).path();
    const QString folderPrefix = folder.isEmpty() || folder == QLatin1String(".") ? QString() : folder + u'/';
    const QString relations =
        folderPrefix + QStringLiteral("_rels/") + QFileInfo(source).fileName() + QStringLiteral(".rels");
    if (!package.contains(relations))
        return fallback;
    QXmlStreamReader xml(package.read(relations));
    QString found;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (found.isEmpty() && attributes.value(QLatin1String("Type")).endsWith(type) &&
            attributes.value(QLatin1String("TargetMode")) != QLatin1String("External"))
            found = attributes.value(QLatin1String("Target")).toString();
    }
    failifbroken(xml, package, relations);
    if (found.isEmpty())
        return fallback;
    if (found.startsWith(u'/'))
        return QDir::cleanPath(found.mid(1));
    return QDir::cleanPath(folderPrefix + found);
}

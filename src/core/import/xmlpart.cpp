#include "core/import/xmlpart.h"

#include <QXmlStreamReader>

#include "core/import/zippackage.h"
#include "core/platform/translation.h"
#include "stringtable.h"

void failifbroken(const QXmlStreamReader &xml, const ZipPackage &package, const QString &part)
{
    if (xml.hasError())
        package.fail(i18n(str::ImportBrokenXml).arg(part, xml.errorString()).arg(xml.lineNumber()));
}

#pragma once

#include <QString>

class QXmlStreamReader;
class ZipPackage;

// Fails, through `package`, when `xml` stopped at broken XML in `part`, naming the part, the fault
// and its line.
void failifbroken(const QXmlStreamReader &xml, const ZipPackage &package, const QString &part);

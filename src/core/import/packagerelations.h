#pragma once

#include <QString>

class ZipPackage;

// The part that `source` (a part of `package`, or "" for the package itself) relates to by a
// relationship whose type ends in `type` (such as "/officeDocument" or "/styles"), as read from its
// relationships part; `fallback` when there is no such relationship.
QString relatedpart(const ZipPackage &package, const QString &source, const QString &type,
                    const QString &fallback);

#pragma once

#include <optional>

#include <QLatin1String>
#include <QString>

class QXmlStreamReader;

// WordprocessingML's names, in either of the two namespaces Word writes them in (transitional and
// strict).
bool inwordnamespace(const QXmlStreamReader &xml);
bool isword(const QXmlStreamReader &xml, QLatin1String name);
// The value of the current element's attribute `name`, or nothing when it has none.
std::optional<QString> wordattribute(const QXmlStreamReader &xml, QLatin1String name);
// An on/off property such as <w:b/>: on unless its value says off.
bool wordswitch(const QXmlStreamReader &xml);

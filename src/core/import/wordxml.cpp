#include "core/import/wordxml.h"

#include <QXmlStreamReader>

namespace {

bool iswordnamespace(QStringView uri)
{
    return uri == QLatin1String("http://schemas.openxmlformats.org/wordprocessingml/2006/main") ||
           uri == QLatin1String("http://purl.oclc.org/ooxml/wordprocessingml/main");
}

} // namespace

bool inwordnamespace(const QXmlStreamReader &xml)
{
    return iswordnamespace(xml.namespaceUri());
}

bool isword(const QXmlStreamReader &xml, QLatin1String name)
{
    return xml.name() == name && iswordnamespace(xml.namespaceUri());
}

std::optional<QString> wordattribute(const QXmlStreamReader &xml, QLatin1String name)
{
    for (const QXmlStreamAttribute &attribute : xml.attributes()) {
        if (attribute.name() == name && iswordnamespace(attribute.namespaceUri()))
            return attribute.value().toString();
    }
    return std::nullopt;
}

bool wordswitch(const QXmlStreamReader &xml)
{
    const QString value = wordattribute(xml, QLatin1String("val")).value_or(QString()).toLower();
    return value != QLatin1String("0") && value != QLatin1String("false") && value != QLatin1String("off");
}

#include "core/import/odfxml.h"

#include <QXmlStreamReader>

namespace odf {

bool is(const QXmlStreamReader &xml, const char *ns, const char *name)
{
    return xml.name() == QLatin1String(name) && xml.namespaceUri() == QLatin1String(ns);
}

bool inside(const QXmlStreamReader &xml, const char *ns)
{
    return xml.namespaceUri() == QLatin1String(ns);
}

QString attribute(const QXmlStreamReader &xml, const char *ns, const char *name)
{
    return xml.attributes().value(QLatin1String(ns), QLatin1String(name)).toString();
}

} // namespace odf

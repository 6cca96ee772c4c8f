#pragma once

#include <QLatin1String>
#include <QString>

class QXmlStreamReader;

// OpenDocument's namespaces, and its names in them.
namespace odf {
inline constexpr const char *office = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
inline constexpr const char *style = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
inline constexpr const char *text = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
inline constexpr const char *table = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
inline constexpr const char *fo = "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0";
inline constexpr const char *svg = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0";
inline constexpr const char *draw = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0";

bool is(const QXmlStreamReader &xml, const char *ns, const char *name);
bool inside(const QXmlStreamReader &xml, const char *ns);
// The current element's attribute, empty when it has none.
QString attribute(const QXmlStreamReader &xml, const char *ns, const char *name);
} // namespace odf

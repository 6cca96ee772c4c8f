#include "core/import/documentimport.h"

#include <QFileInfo>

#include "core/import/docxreader.h"
#include "core/import/markupreader.h"
#include "core/import/odtreader.h"
#include "core/import/symbolfonts.h"
#include "core/import/textwriter.h"

namespace {

enum class Format { None, Docx, Odt, Markdown, Html };

Format formatof(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("docx"))
        return Format::Docx;
    if (suffix == QLatin1String("odt"))
        return Format::Odt;
    if (suffix == QLatin1String("md") || suffix == QLatin1String("markdown"))
        return Format::Markdown;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return Format::Html;
    return Format::None;
}

} // namespace

bool isimportable(const QString &path)
{
    return formatof(path) != Format::None;
}

void importdocument(const QString &path, QTextDocument *document)
{
    ImportedText text;
    switch (formatof(path)) {
    case Format::Docx:
        text = readdocx(path);
        break;
    case Format::Odt:
        text = readodt(path);
        break;
    case Format::Markdown:
        text = readmarkdown(path);
        break;
    case Format::Html:
        text = readhtml(path);
        break;
    case Format::None:
        return;
    }
    unsymbolfonts(text);
    writeimportedtext(text, document);
}

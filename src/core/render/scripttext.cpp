#include "core/render/scripttext.h"

#include <stdexcept>

#include <QTextDocument>

#include "core/engine/readingestimate.h"
#include "core/import/documentimport.h"
#include "core/rtf/rtf.h"
#include "core/platform/textfile.h"
#include "core/platform/translation.h"
#include "core/render/scriptloader.h"
#include "stringtable.h"

namespace {

// The script's page lines; with `markedHeadings` its headings carry headingmark().
QStringList readlines(const QString &path, bool markedHeadings)
{
    QTextDocument document;
    switch (scriptkind(path)) {
    case ScriptKind::Text:
        return readtextlines(path);
    case ScriptKind::RichText:
    case ScriptKind::Vantell: {
        const QByteArray data = readwholefile(path);
        if (!readRtf(data, &document))
            document.setPlainText(decodetext(data));
        break;
    }
    case ScriptKind::Document:
        importdocument(path, &document);
        break;
    case ScriptKind::Unrecognized:
        throw std::runtime_error(i18n(str::UnrecognizedScript).arg(path).toStdString());
    }
    QStringList lines = plainlines(&document);
    if (markedHeadings)
        markheadings(&document, lines);
    return lines;
}

} // namespace

QStringList scripttextlines(const QString &path)
{
    return readlines(path, false);
}

std::optional<int> scriptwords(const QString &path)
{
    try {
        return wordcount(readlines(path, true));
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

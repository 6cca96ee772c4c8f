#include "render/scripttext.h"

#include <stdexcept>

#include <QTextDocument>

#include "import/documentimport.h"
#include "rtf/rtf.h"
#include "platform/textfile.h"
#include "platform/translation.h"
#include "render/scriptloader.h"
#include "stringtable.h"

QStringList scripttextlines(const QString &path)
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
    return plainlines(&document);
}

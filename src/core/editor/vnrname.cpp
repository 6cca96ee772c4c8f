#include "core/editor/vnrname.h"

#include <QFileInfo>

namespace {

bool isvnr(const QFileInfo &file)
{
    return file.suffix().compare(QLatin1String("vnr"), Qt::CaseInsensitive) == 0;
}

} // namespace

QString vnrname(const QString &document)
{
    const QFileInfo file(document);
    if (!file.isAbsolute() || isvnr(file) || file.fileName().isEmpty())
        return file.fileName();
    // "show.docx" and "show.final.odt" lose their last extension; ".profile" has only a name.
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot > 0 ? name.left(dot) : name) + QStringLiteral(".vnr");
}

bool replacesotherfile(const QString &path)
{
    const QFileInfo file(path);
    return file.exists() && !isvnr(file);
}

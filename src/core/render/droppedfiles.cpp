#include "core/render/droppedfiles.h"

#include <QMimeData>
#include <QUrl>

#include "core/render/scriptloader.h"

QStringList droppedfiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            files << url.toLocalFile();
    return files;
}

QStringList droppedscripts(const QMimeData *data)
{
    QStringList scripts;
    for (const QString &file : droppedfiles(data))
        if (scriptkind(file) != ScriptKind::Unrecognized)
            scripts << file;
    return scripts;
}

#include "core/queue/queuefile.h"

#include "core/platform/textfile.h"

QStringList loadqueuefile(const QString &path)
{
    return readtextlines(path);
}

void savequeuefile(const QString &path, const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries) {
        bytes += entry.toUtf8();
        bytes += "\r\n";
    }
    writewholefile(path, bytes);
}

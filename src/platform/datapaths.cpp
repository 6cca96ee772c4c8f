#include "platform/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QStringList &overriddenDirs()
{
    static QStringList dirs;
    return dirs;
}
} // namespace

QStringList DataPaths::searchDirs()
{
    if (!overriddenDirs().isEmpty())
        return overriddenDirs();
    return {QCoreApplication::applicationDirPath(), QStringLiteral(VANTELL_DATA_DIR)};
}

QString DataPaths::find(const QString &name)
{
    for (const QString &dir : searchDirs()) {
        const QString path = QDir(dir).filePath(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

void DataPaths::overrideSearchDirs(const QStringList &dirs)
{
    overriddenDirs() = dirs;
}

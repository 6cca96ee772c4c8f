#include "core/platform/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
QStringList &overriddenDirs()
{
    static QStringList dirs;
    return dirs;
}

QString besideExecutable(const QString &relativePath)
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(relativePath));
}
} // namespace

QStringList DataPaths::searchDirs()
{
    if (!overriddenDirs().isEmpty())
        return overriddenDirs();
    return {QCoreApplication::applicationDirPath(),
            besideExecutable(QStringLiteral(VANTELL_DATA_DIR_FROM_BIN))};
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

QString DataPaths::localeDir()
{
    const QString buildTree = besideExecutable(QStringLiteral("locale"));
    if (QFileInfo(buildTree).isDir())
        return buildTree;
    return besideExecutable(QStringLiteral(VANTELL_LOCALE_DIR_FROM_BIN));
}

#include "ui/browser/pagescripts.h"

#include <QFile>
#include <QHash>

QString pagescript(const QString &name)
{
    // Read once each: the motion's script goes with every smooth-motion request.
    static QHash<QString, QString> sources;
    auto found = sources.constFind(name);
    if (found != sources.cend())
        return *found;
    QFile file(QStringLiteral(":/page/%1.js").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The page script %s is not compiled into the program", qPrintable(name));
    return *sources.insert(name, QString::fromUtf8(file.readAll()));
}

#include "benchsupport.h"

#include <algorithm>
#include <malloc.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTemporaryFile>
#include <QTextStream>

namespace bench {

void report(const QString &name, double value, const QString &unit, const QJsonObject &inputs)
{
    const QJsonObject line{{QStringLiteral("name"), name},
                           {QStringLiteral("value"), value},
                           {QStringLiteral("unit"), unit},
                           {QStringLiteral("inputs"), inputs}};
    QTextStream(stdout) << QJsonDocument(line).toJson(QJsonDocument::Compact) << Qt::endl;
}

double median(QList<double> samples)
{
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    return n % 2 ? samples.at(n / 2) : (samples.at(n / 2 - 1) + samples.at(n / 2)) / 2;
}

namespace {

// The fields of /proc/<pid>/stat after the command name.
QStringList statFields(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(file.readAll());
    return text.mid(text.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
}

QList<qint64> processTree()
{
    QList<qint64> tree{getpid()};
    QHash<qint64, qint64> parents;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        const QStringList fields = statFields(pid);
        if (fields.size() > 1)
            parents.insert(pid, fields.at(1).toLongLong());
    }
    for (qsizetype i = 0; i < tree.size(); ++i)
        for (auto it = parents.cbegin(); it != parents.cend(); ++it)
            if (it.value() == tree.at(i) && !tree.contains(it.key()))
                tree.append(it.key());
    return tree;
}

double statusKb(qint64 pid, const QByteArray &key)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').constFirst().toDouble();
    return 0;
}

} // namespace

double peakMemoryMb()
{
    double kb = 0;
    for (qint64 pid : processTree())
        kb += statusKb(pid, "VmHWM:");
    return kb / 1024.0;
}

double residentMemoryMb()
{
    return statusKb(getpid(), "VmRSS:") / 1024.0;
}

double descendantsResidentMemoryMb()
{
    double kb = 0;
    for (qint64 pid : processTree())
        if (pid != getpid())
            kb += statusKb(pid, "VmRSS:");
    return kb / 1024.0;
}

int openFiles()
{
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

QJsonObject openFileKinds()
{
    QJsonObject kinds;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
        // The link's own text: "socket:[…]" is no path to resolve.
        char link[4096];
        const ssize_t length = readlink(QFile::encodeName(fds.filePath(fd)).constData(), link, sizeof link);
        const QString target = QString::fromLocal8Bit(link, length > 0 ? length : 0);
        QString kind;
        if (target.startsWith(QLatin1String("socket:")))
            kind = QStringLiteral("socket");
        else if (target.startsWith(QLatin1String("pipe:")))
            kind = QStringLiteral("pipe");
        else if (target.startsWith(QLatin1String("anon_inode:")))
            kind = target.section(QLatin1Char(':'), 0, 1);
        else if (target.startsWith(QLatin1String("/memfd:")))
            kind = QStringLiteral("memfd");
        else if (target.startsWith(QLatin1String("/dev/")))
            kind = target;
        else
            kind = QFileInfo(target).path();
        kinds.insert(kind, kinds.value(kind).toInt() + 1);
    }
    return kinds;
}

double heapInUseMb()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

double cpuSeconds()
{
    const double ticks = sysconf(_SC_CLK_TCK);
    double total = 0;
    for (qint64 pid : processTree()) {
        const QStringList fields = statFields(pid);
        if (fields.size() > 12)
            total += (fields.at(11).toDouble() + fields.at(12).toDouble()) / ticks;
    }
    return total;
}

double msSinceProcessStart()
{
    const QStringList fields = statFields(getpid());
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (fields.size() < 20 || !uptime.open(QIODevice::ReadOnly))
        return 0;
    const double startSeconds = fields.at(19).toDouble() / sysconf(_SC_CLK_TCK);
    const double nowSeconds =
        QString::fromLatin1(uptime.readAll()).split(QLatin1Char(' ')).constFirst().toDouble();
    return (nowSeconds - startSeconds) * 1000.0;
}

bool useTwoScreens(QTemporaryFile &config)
{
    if (!config.open())
        return false;
    config.write(R"({ "windowFrameMargins": false, "screens": [
        { "name": "DP-1", "x": 0, "y": 0, "width": 1920, "height": 1080 },
        { "name": "DP-2", "x": 1920, "y": 0, "width": 1920, "height": 1080 } ] })");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    return true;
}

} // namespace bench

#include "testsupport/newsroompeer.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QStandardPaths>

#include "testsupport/eventwait.h"

NewsroomPeer::NewsroomPeer(const QString &directory) : m_directory(directory) {}

NewsroomPeer::~NewsroomPeer()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
}

bool NewsroomPeer::install(const QString &source, const QString &directory, QString &why)
{
    QDir().mkpath(directory);
    for (const char *name : {"package.json", "package-lock.json", "newsroom.js"}) {
        const QString target = directory + QLatin1Char('/') + QLatin1String(name);
        QFile::remove(target);
        if (!QFile::copy(source + QLatin1Char('/') + QLatin1String(name), target)) {
            why = QStringLiteral("cannot copy %1 into the build tree").arg(QLatin1String(name));
            return false;
        }
    }
    if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty()) {
        why = QStringLiteral("node is not installed");
        return false;
    }
    // Installed once per build tree; `npm ci` installs exactly what the lock file names.
    if (QFile::exists(directory + QStringLiteral("/node_modules/@mos-connection/connector/package.json")))
        return true;
    const QString npm = QStandardPaths::findExecutable(QStringLiteral("npm"));
    if (npm.isEmpty()) {
        why = QStringLiteral("npm is not installed");
        return false;
    }
    QProcess install;
    install.setWorkingDirectory(directory);
    install.setProcessChannelMode(QProcess::MergedChannels);
    // A registry that cannot be reached is given up on soon.
    install.start(npm, {QStringLiteral("ci"), QStringLiteral("--no-audit"), QStringLiteral("--no-fund"),
                        QStringLiteral("--fetch-retries=1"), QStringLiteral("--fetch-timeout=30000")});
    if (!install.waitForFinished(180000) || install.exitCode() != 0) {
        const QStringList said = QString::fromLocal8Bit(install.readAll()).trimmed().split(QLatin1Char('\n'));
        why = QStringLiteral("npm could not install the newsroom library (%1)").arg(said.value(0).trimmed());
        return false;
    }
    return true;
}

bool NewsroomPeer::start(quint16 lower, quint16 upper, const QString &deviceId, const QStringList &extra)
{
    m_process = std::make_unique<QProcess>();
    m_process->setWorkingDirectory(m_directory);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(m_process.get(), &QProcess::readyReadStandardOutput, m_process.get(),
                     [this] { m_output += m_process->readAllStandardOutput(); });
    m_process->start(QStandardPaths::findExecutable(QStringLiteral("node")),
                     QStringList{QStringLiteral("newsroom.js"), QStringLiteral("--lower"),
                                 QString::number(lower), QStringLiteral("--upper"), QString::number(upper),
                                 QStringLiteral("--device"), deviceId} +
                         extra);
    return m_process->waitForStarted(10000);
}

QJsonValue NewsroomPeer::ask(const QJsonObject &command, int timeoutMs)
{
    m_process->write(QJsonDocument(command).toJson(QJsonDocument::Compact) + '\n');
    if (!runEventsUntil([this] { return m_output.contains('\n'); }, timeoutMs)) {
        qWarning("the newsroom did not answer %s",
                 qPrintable(command.value(QStringLiteral("do")).toString()));
        return QJsonValue();
    }
    const qsizetype end = m_output.indexOf('\n');
    const QJsonObject answer = QJsonDocument::fromJson(m_output.left(end)).object();
    m_output.remove(0, end + 1);
    if (!answer.value(QStringLiteral("ok")).toBool()) {
        qWarning("the newsroom failed: %s", qPrintable(answer.value(QStringLiteral("error")).toString()));
        return QJsonValue();
    }
    return answer.value(QStringLiteral("result"));
}

void NewsroomPeer::quit()
{
    ask(newsroomcommand("quit"));
    if (!m_process->waitForFinished(10000))
        m_process->kill();
}

QJsonObject newsroomcommand(const char *name, const QVariantMap &arguments)
{
    QJsonObject object = QJsonObject::fromVariantMap(arguments);
    object.insert(QStringLiteral("do"), QLatin1String(name));
    return object;
}

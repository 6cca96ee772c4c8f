#include "testsupport/prompterprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>

#include <signal.h>

PrompterProcess::PrompterProcess(quint16 port, const QStringList &arguments, const QString &settings)
    : m_port(port)
{
    const QRegularExpressionMatch token =
        QRegularExpression(QStringLiteral("^Token=(.+)$"), QRegularExpression::MultilineOption)
            .match(settings);
    if (token.hasMatch())
        m_token = token.captured(1).toUtf8();
    if (!settings.isEmpty()) {
        QDir().mkpath(m_config.filePath(QStringLiteral("korvanex")));
        QFile file(m_config.filePath(QStringLiteral("korvanex/vantell.conf")));
        if (file.open(QIODevice::WriteOnly))
            file.write(settings.toUtf8());
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    environment.insert(QStringLiteral("XDG_STATE_HOME"), m_config.path());
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vantell"),
                    QStringList{QStringLiteral("--port"), QString::number(port)} + arguments);
}

PrompterProcess::~PrompterProcess()
{
    kill();
}

quint16 PrompterProcess::freePort()
{
    // The port after it is OSC's: both must be free.
    for (;;) {
        QTcpServer api;
        QTcpServer osc;
        if (api.listen(QHostAddress::LocalHost, 0) && api.serverPort() < 65535 &&
            osc.listen(QHostAddress::LocalHost, api.serverPort() + 1))
            return api.serverPort();
    }
}

QString PrompterProcess::numberedScript(const QString &folder, int lines)
{
    const QString path = QDir(folder).filePath(QStringLiteral("numbered.txt"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        for (int line = 1; line <= lines; ++line)
            file.write(QStringLiteral("This is line %1 of the script.\n").arg(line).toUtf8());
    return path;
}

QJsonObject PrompterProcess::state() const
{
    return request(QStringLiteral("/api/state"), {});
}

QJsonObject PrompterProcess::command(const QByteArray &message, int *status) const
{
    return request(QStringLiteral("/api/command"), message, status);
}

bool PrompterProcess::waitForState(const std::function<bool(const QJsonObject &)> &wanted,
                                   int timeoutMs) const
{
    return QTest::qWaitFor([&] { return wanted(state()); }, timeoutMs);
}

void PrompterProcess::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(10000);
}

void PrompterProcess::setFrozen(bool frozen)
{
    if (m_process.state() == QProcess::Running)
        ::kill(pid_t(m_process.processId()), frozen ? SIGSTOP : SIGCONT);
}

QJsonObject PrompterProcess::request(const QString &path, const QByteArray &body, int *status) const
{
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path)));
    request.setTransferTimeout(3000);
    if (!m_token.isEmpty())
        request.setRawHeader(QByteArrayLiteral("Authorization"), QByteArrayLiteral("Bearer ") + m_token);
    QNetworkReply *reply = nullptr;
    if (body.isEmpty()) {
        reply = network.get(request);
    } else {
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        reply = network.post(request, body);
    }
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    const QJsonObject answer = QJsonDocument::fromJson(reply->readAll()).object();
    if (status)
        *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    reply->deleteLater();
    return answer;
}

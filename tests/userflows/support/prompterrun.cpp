#include "prompterrun.h"

#include <QDir>
#include <QFile>

#include "xdesktop.h"
#include "xsession.h"

namespace {
// A port nothing listens on: the service probe is refused at once.
const QString noServiceUrl = QStringLiteral("http://127.0.0.1:9/");
const QString mainCaption = QStringLiteral("Vantell2 Home");
} // namespace

QString programPath()
{
    return QStringLiteral(VANTELL_PROGRAM);
}

QString sourcePath(const QString &relative)
{
    return QStringLiteral(VANTELL_SOURCE_DIR "/") + relative;
}

PrompterRun::PrompterRun(const XSession &session, const Options &options) : m_session(session)
{
    m_configHome =
        options.configHome.isEmpty() ? m_home.filePath(QStringLiteral("config")) : options.configHome;
    QDir().mkpath(m_configHome);
    QProcessEnvironment environment = session.environment();
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_configHome);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), options.stateHome.isEmpty()
                                                             ? m_home.filePath(QStringLiteral("state"))
                                                             : options.stateHome);
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.filePath(QStringLiteral("cache")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
    environment.insert(QStringLiteral("LANGUAGE"), options.language);
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    const QString service = options.serviceUrl.isEmpty() ? noServiceUrl : options.serviceUrl;
    environment.insert(QStringLiteral("VANTELL_SERVICE_URL"), service);
    environment.insert(QStringLiteral("VANTELL_HELP_URL"), service);
    environment.insert(QStringLiteral("VANTELL_PROBE_URL"), service);
    if (options.scale != 1)
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(options.scale));
    environment.remove(QStringLiteral("SESSION_MANAGER"));
    if (!options.sessionManager.isEmpty())
        environment.insert(QStringLiteral("SESSION_MANAGER"), options.sessionManager);
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(m_home.path());
    // Into a file: the browser's messages would fill a pipe nobody reads while the test waits.
    m_errorFile = m_home.filePath(QStringLiteral("errors.log"));
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(m_errorFile);
    m_process.start(options.program.isEmpty() ? programPath() : options.program, options.arguments);
    if (!m_process.waitForStarted(10000)) {
        m_error = QStringLiteral("the program does not start: %1").arg(m_process.errorString());
        return;
    }
    const QString caption = options.caption.isEmpty() ? mainCaption : options.caption;
    m_window = XDesktop(session).waitForWindow(caption, 30000);
    if (!m_window)
        m_error =
            QStringLiteral("no window \"%1\" within 30 s; the program wrote: %2").arg(caption, errors());
}

PrompterRun::~PrompterRun()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void PrompterRun::kill()
{
    m_process.kill();
    m_process.waitForFinished(10000);
}

QString PrompterRun::settingsFile() const
{
    return m_configHome + QStringLiteral("/korvanex/vantell.conf");
}

bool PrompterRun::close(int timeoutMs)
{
    if (m_window) {
        const XDesktop desktop(m_session);
        desktop.activate(m_window);
        desktop.key(QStringLiteral("alt+F4"));
    }
    return m_process.waitForFinished(timeoutMs);
}

QString PrompterRun::errors() const
{
    QFile file(m_errorFile);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

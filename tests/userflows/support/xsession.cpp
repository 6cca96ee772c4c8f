#include "xsession.h"

#include <functional>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

namespace {

constexpr int startTimeoutMs = 10000;

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace

XSession::XSession(QSize screenSize) : m_screenSize(screenSize)
{
    if (startServer())
        startWindowManager();
}

XSession::~XSession()
{
    stop(m_windowManager);
    stop(m_server);
}

QProcessEnvironment XSession::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("XAUTHORITY"));
    // The interface font OCR reads reliably, whichever the system prefers (desktopfonts.conf).
    environment.insert(QStringLiteral("FONTCONFIG_FILE"),
                       QStringLiteral(VANTELL_SOURCE_DIR "/tests/userflows/support/desktopfonts.conf"));
    return environment;
}

bool XSession::startServer()
{
    // Tests run side by side: each tries display numbers from its own process id on, and takes
    // the first one no other server holds.
    const int first = 100 + int(QCoreApplication::applicationPid() % 300) * 3;
    for (int number = first; number < first + 20; ++number) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        if (QFileInfo::exists(socket) || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        m_display = QStringLiteral(":%1").arg(number);
        const QString screen =
            QStringLiteral("%1x%2x24").arg(m_screenSize.width()).arg(m_screenSize.height());
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(QStringLiteral("Xvfb"),
                       {m_display, QStringLiteral("-screen"), QStringLiteral("0"), screen,
                        QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!m_server.waitForStarted(startTimeoutMs)) {
            m_error = QStringLiteral("Xvfb does not start: %1").arg(m_server.errorString());
            return false;
        }
        if (waitUntil([&] { return QFileInfo::exists(socket) || m_server.state() == QProcess::NotRunning; },
                      startTimeoutMs) &&
            m_server.state() == QProcess::Running)
            return true;
        stop(m_server);
    }
    m_error = QStringLiteral("no free X display number from :%1 on").arg(first);
    return false;
}

bool XSession::startWindowManager()
{
    m_windowManager.setProcessEnvironment(environment());
    m_windowManager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!m_windowManager.waitForStarted(startTimeoutMs)) {
        m_error = QStringLiteral("openbox does not start: %1").arg(m_windowManager.errorString());
        return false;
    }
    // The window manager has taken over once it names itself on the root window.
    const bool managing = waitUntil(
        [&] {
            QProcess query;
            query.setProcessEnvironment(environment());
            query.start(QStringLiteral("xprop"),
                        {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
            query.waitForFinished(3000);
            return query.readAllStandardOutput().contains("window id");
        },
        startTimeoutMs);
    if (!managing)
        m_error = QStringLiteral("openbox does not take over the display %1").arg(m_display);
    return managing;
}

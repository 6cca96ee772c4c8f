#include "xdesktop.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include "xsession.h"

namespace {
QString number(int value)
{
    return QString::number(value);
}
} // namespace

XDesktop::XDesktop(const XSession &session) : m_session(session) {}

QString XDesktop::run(const QString &program, const QStringList &arguments) const
{
    QProcess process;
    process.setProcessEnvironment(m_session.environment());
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList XDesktop::windows(const QString &title) const
{
    // Qt adds " — " and the program's name to the titles of its windows.
    const QString pattern =
        QLatin1Char('^') + QRegularExpression::escape(title) + QStringLiteral("( — .*)?$");
    return xdotool(
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

quint64 XDesktop::waitForWindow(const QString &title, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        const QStringList found = windows(title);
        if (!found.isEmpty())
            return found.constLast().toULongLong();
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return 0;
}

bool XDesktop::hasWindow(const QString &title) const
{
    return !windows(title).isEmpty();
}

bool XDesktop::waitForWindowGone(const QString &title, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (hasWindow(title)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

bool XDesktop::waitForActive(quint64 window, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (xdotool({QStringLiteral("getactivewindow")}).trimmed().toULongLong() != window) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

QRect XDesktop::geometry(quint64 window) const
{
    // xwininfo tells the inside's place on the screen, whatever frame the window manager adds.
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    auto value = [&](const char *name) {
        const QRegularExpression line(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(name)));
        return line.match(info).captured(1).toInt();
    };
    return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height")};
}

void XDesktop::activate(quint64 window) const
{
    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)});
}

void XDesktop::move(quint64 window, QPoint topLeft) const
{
    xdotool({QStringLiteral("windowmove"), QStringLiteral("--sync"), QString::number(window),
             number(topLeft.x()), number(topLeft.y())});
}

void XDesktop::resize(quint64 window, QSize size) const
{
    xdotool({QStringLiteral("windowsize"), QStringLiteral("--sync"), QString::number(window),
             QString::number(size.width()), QString::number(size.height())});
}

void XDesktop::moveMouse(quint64 window, QPoint at) const
{
    const QPoint screen = geometry(window).topLeft() + at;
    // No --sync: it waits for a movement that never comes when the pointer is there already.
    xdotool({QStringLiteral("mousemove"), number(screen.x()), number(screen.y())});
}

void XDesktop::click(quint64 window, QPoint at, int button) const
{
    moveMouse(window, at);
    xdotool({QStringLiteral("click"), number(button)});
}

void XDesktop::press(quint64 window, QPoint at) const
{
    moveMouse(window, at);
    xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
}

void XDesktop::release() const
{
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
}

void XDesktop::wheel(quint64 window, QPoint at, int notches) const
{
    moveMouse(window, at);
    // Buttons 4 and 5 are the wheel's notches up and down.
    xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), number(qAbs(notches)),
             QStringLiteral("--delay"), QStringLiteral("30"),
             notches < 0 ? QStringLiteral("4") : QStringLiteral("5")});
}

void XDesktop::key(const QStringList &keys) const
{
    xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")} + keys);
}

void XDesktop::type(const QString &text) const
{
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("8"), text});
}

QImage XDesktop::grab() const
{
    QProcess process;
    process.setProcessEnvironment(m_session.environment());
    process.start(QStringLiteral("import"), {QStringLiteral("-silent"), QStringLiteral("-window"),
                                             QStringLiteral("root"), QStringLiteral("png:-")});
    process.waitForFinished(15000);
    return QImage::fromData(process.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

QImage XDesktop::grab(quint64 window) const
{
    return grab().copy(geometry(window));
}

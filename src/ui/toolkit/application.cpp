#include "ui/toolkit/application.h"

#include <stdexcept>
#include <unistd.h>

#include <QProcessEnvironment>

#include "ui/browser/pageschemehandler.h"
#include "core/platform/translation.h"
#include "core/platform/windowsystem.h"
#include "stringtable.h"
#include "ui/toolkit/accessibility.h"
#include "ui/toolkit/dialogs.h"

void VantellApplication::prepareProcess()
{
    PageSchemeHandler::registerScheme();
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    const QByteArray windowSystem = chosenWindowSystem(QProcessEnvironment::systemEnvironment());
    if (!windowSystem.isEmpty())
        qputenv("QT_QPA_PLATFORM", windowSystem);
}

VantellApplication::VantellApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("korvanex"));
    setApplicationName(QStringLiteral("vantell"));
    setApplicationVersion(QStringLiteral(VANTELL_VERSION));
    // The menu entry's name: Wayland compositors find the program's icon and name by it.
    setDesktopFileName(QStringLiteral("vantell"));
    installAccessibility();
}

VantellApplication *VantellApplication::instance()
{
    return qobject_cast<VantellApplication *>(QCoreApplication::instance());
}

bool VantellApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportError(exceptionText(std::current_exception()));
    }
    return false;
}

void VantellApplication::setErrorHandler(ErrorHandler handler)
{
    m_errorHandler = std::move(handler);
}

void VantellApplication::reportError(const QString &text)
{
    if (m_errorHandler)
        m_errorHandler(text);
    else
        Dialogs::current().message(text, Dialogs::Icon::Error);
}

QString exceptionText(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return i18n(str::UnknownError);
    }
}

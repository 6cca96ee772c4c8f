#include "core/platform/windowsystem.h"

QByteArray chosenWindowSystem(const QProcessEnvironment &environment)
{
    if (!environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        return {};
    const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
                         environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    const bool x = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    return wayland && x ? QByteArrayLiteral("xcb") : QByteArray();
}

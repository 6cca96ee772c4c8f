#include "ui/settings/settingsgroup.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>

#include "core/settings/settingsstore.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/dialogs.h"

namespace {
bool previousWriteFailed = false;
} // namespace

int screenPixelsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

void storeSettings(const QString &group, const std::function<void(QSettings &)> &write)
{
    SettingsStore store;
    write(store.settings());
    const std::optional<QString> failure = store.commit(group);
    if (failure && !previousWriteFailed) {
        if (VantellApplication *app = VantellApplication::instance())
            app->reportError(*failure);
        else
            Dialogs::current().message(*failure, Dialogs::Icon::Error);
    }
    previousWriteFailed = failure.has_value();
}

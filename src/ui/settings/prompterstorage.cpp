#include "ui/settings/prompterstorage.h"

#include <QGuiApplication>
#include <QSettings>

#include "ui/settings/settingsgroup.h"
#include "core/settings/settingsstore.h"

namespace {
const QString group = QStringLiteral("Form1");
} // namespace

PrompterSettings loadPrompterSettings(const PrompterSettings &current, bool *placementApplies)
{
    PrompterSettings values = current;
    SettingsStore store;
    const bool positions =
        readpromptersettings(store.settings(), values, screenPixelsPerInch(), QGuiApplication::palette());
    if (placementApplies)
        *placementApplies = positions;
    return values;
}

void storePrompterSettings(const PrompterSettings &values)
{
    storeSettings(group, [&values](QSettings &settings) {
        writepromptersettings(settings, values, screenPixelsPerInch());
    });
}

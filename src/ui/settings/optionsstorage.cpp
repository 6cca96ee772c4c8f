#include "ui/settings/optionsstorage.h"

#include <QSettings>

#include "ui/settings/settingsgroup.h"
#include "core/settings/settingsstore.h"

namespace {
const QString group = QStringLiteral("Form4");
} // namespace

OptionsSettings loadOptionsSettings(const OptionsSettings &current, bool *placementApplies)
{
    OptionsSettings values = current;
    SettingsStore store;
    const bool positions = readoptionssettings(store.settings(), values, screenPixelsPerInch());
    if (placementApplies)
        *placementApplies = positions;
    return values;
}

void storeOptionsSettings(const OptionsSettings &values)
{
    storeSettings(group, [&values](QSettings &settings) {
        writeoptionssettings(settings, values, screenPixelsPerInch());
    });
}

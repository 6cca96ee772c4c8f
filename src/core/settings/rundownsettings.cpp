#include "core/settings/rundownsettings.h"

#include <QSettings>

namespace {
const QString group = QStringLiteral("Rundown");
} // namespace

RundownSettings readrundownsettings(QSettings &settings)
{
    RundownSettings values;
    settings.beginGroup(group);
    values.continuousQueue =
        settings.value(QStringLiteral("ContinuousQueue"), values.continuousQueue).toBool();
    values.continuousRunningOrder =
        settings.value(QStringLiteral("ContinuousRunningOrder"), values.continuousRunningOrder).toBool();
    settings.endGroup();
    return values;
}

void writerundownsettings(QSettings &settings, const RundownSettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("ContinuousQueue"), values.continuousQueue);
    settings.setValue(QStringLiteral("ContinuousRunningOrder"), values.continuousRunningOrder);
    settings.endGroup();
}

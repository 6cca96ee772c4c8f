#include "core/settings/controllersettings.h"

#include <QSettings>

#include "core/settings/storedvalue.h"

namespace {
const QString group = QStringLiteral("Controllers");
const QString devicesArray = QStringLiteral("Devices");
const QString deviceKey = QStringLiteral("Device");
const QString bindingsKey = QStringLiteral("Bindings");
} // namespace

void writecontrollersettings(QSettings &settings, const ControllerSettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("Enabled"), values.enabled ? 1 : 0);
    settings.remove(devicesArray);
    settings.beginWriteArray(devicesArray, int(values.devices.size()));
    int index = 0;
    for (auto device = values.devices.cbegin(); device != values.devices.cend(); ++device) {
        settings.setArrayIndex(index++);
        settings.setValue(deviceKey, device.key());
        // A device bound to nothing keeps an empty list: it does nothing, not its defaults.
        settings.setValue(bindingsKey,
                          device.value().isEmpty() ? QVariant(QString()) : QVariant(device.value()));
    }
    settings.endArray();
    settings.endGroup();
}

void readcontrollersettings(QSettings &settings, ControllerSettings &values)
{
    settings.beginGroup(group);
    values.enabled = storedboolean(settings.value(QStringLiteral("Enabled"))).value_or(values.enabled);
    if (settings.childGroups().contains(devicesArray)) {
        QMap<QString, QStringList> devices;
        const int count = settings.beginReadArray(devicesArray);
        for (int index = 0; index < count; ++index) {
            settings.setArrayIndex(index);
            const QString device = settings.value(deviceKey).toString();
            if (device.isEmpty())
                continue;
            QStringList bindings = settings.value(bindingsKey).toStringList();
            bindings.removeAll(QString());
            devices.insert(device, bindings);
        }
        settings.endArray();
        values.devices = devices;
    }
    settings.endGroup();
}

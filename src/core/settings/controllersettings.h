#pragma once

#include <QMap>
#include <QStringList>

class QSettings;

// Hand controllers, pedals and control surfaces, kept under the group "Controllers": whether the
// prompter listens to them, and the bindings of each device the operator has bound, by its key
// (ControllerDevice::key) to its bindings' entries (ControllerBinding::entry). Devices not kept
// here do what their defaults say.
struct ControllerSettings {
    bool enabled = true;                // "Enabled"
    QMap<QString, QStringList> devices; // "Devices": an array of "Device" and "Bindings"

    bool operator==(const ControllerSettings &) const = default;
};

void writecontrollersettings(QSettings &settings, const ControllerSettings &values);
// Reads the group over `values`; what is missing or cannot be read leaves the one in `values`.
void readcontrollersettings(QSettings &settings, ControllerSettings &values);

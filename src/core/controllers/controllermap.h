#pragma once

#include <QMap>
#include <QStringList>

#include "core/controllers/controllerbindings.h"
#include "core/controllers/controllerdevice.h"

// The bindings of every device: those the operator made, by device, and the defaults for the
// rest (controllerdefaults.h). A game pad not bound on its own takes what "any game pad" is bound
// to, else the game pads' defaults.
class ControllerMap {
public:
    // From the settings' devices (key to binding entries); entries that cannot be read are left out.
    static ControllerMap fromEntries(const QMap<QString, QStringList> &devices);
    QMap<QString, QStringList> entries() const;

    // What drives `device` now.
    ControllerBindings bindingsFor(const ControllerDevice &device) const;
    // The operator has bound it (else it takes its defaults).
    bool isBound(const ControllerDevice &device) const { return m_bound.contains(device.key()); }
    void setBindings(const ControllerDevice &device, const ControllerBindings &bindings);
    void restoreDefaults(const ControllerDevice &device) { m_bound.remove(device.key()); }
    // The devices the operator has bound.
    QList<ControllerDevice> boundDevices() const;

    bool operator==(const ControllerMap &) const = default;

private:
    QMap<QString, ControllerBindings> m_bound;
};

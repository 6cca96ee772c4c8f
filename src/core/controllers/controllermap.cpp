#include "core/controllers/controllermap.h"

#include "core/controllers/controllerdefaults.h"

ControllerMap ControllerMap::fromEntries(const QMap<QString, QStringList> &devices)
{
    ControllerMap map;
    for (auto device = devices.cbegin(); device != devices.cend(); ++device) {
        if (!ControllerDevice::fromKey(device.key()))
            continue;
        ControllerBindings bindings;
        for (const QString &entry : device.value())
            if (const std::optional<ControllerBinding> binding = ControllerBinding::fromEntry(entry))
                bindings.bind(*binding);
        map.m_bound.insert(device.key(), bindings);
    }
    return map;
}

QMap<QString, QStringList> ControllerMap::entries() const
{
    QMap<QString, QStringList> devices;
    for (auto device = m_bound.cbegin(); device != m_bound.cend(); ++device) {
        QStringList entries;
        for (const ControllerBinding &binding : device.value().bindings())
            entries << binding.entry();
        devices.insert(device.key(), entries);
    }
    return devices;
}

ControllerBindings ControllerMap::bindingsFor(const ControllerDevice &device) const
{
    const auto own = m_bound.constFind(device.key());
    if (own != m_bound.constEnd())
        return *own;
    if (device.kind == ControllerDevice::Kind::GamePad) {
        const auto pads = m_bound.constFind(anygamepad().key());
        if (pads != m_bound.constEnd())
            return *pads;
    }
    return defaultbindings(device);
}

void ControllerMap::setBindings(const ControllerDevice &device, const ControllerBindings &bindings)
{
    m_bound.insert(device.key(), bindings);
}

QList<ControllerDevice> ControllerMap::boundDevices() const
{
    QList<ControllerDevice> devices;
    for (const QString &key : m_bound.keys())
        if (const std::optional<ControllerDevice> device = ControllerDevice::fromKey(key))
            devices << *device;
    return devices;
}

#include "core/controllers/controllerremote.h"

#include "core/platform/translation.h"
#include "core/remote/remotetarget.h"
#include "stringtable.h"

ControllerRemote::ControllerRemote(RemoteTarget &target, QObject *parent) : QObject(parent), m_target(target)
{
    m_settings.enabled = false; // until apply() has started reading
    connect(&m_sdl, &SdlControllers::deviceAdded, this, &ControllerRemote::added);
    connect(&m_sdl, &SdlControllers::deviceRemoved, this, &ControllerRemote::removed);
    connect(&m_sdl, &SdlControllers::eventReceived, this, &ControllerRemote::receive);
    connect(&m_evdev, &EvdevControllers::deviceAdded, this, &ControllerRemote::added);
    connect(&m_evdev, &EvdevControllers::deviceRemoved, this, &ControllerRemote::removed);
    connect(&m_evdev, &EvdevControllers::eventReceived, this, &ControllerRemote::receive);
    m_evdev.setTaken([this](const QString &path) { return m_sdl.reads(path); });
}

ControllerRemote::~ControllerRemote() = default;

bool ControllerRemote::apply(const ControllerSettings &settings)
{
    m_settings = settings;
    m_map = ControllerMap::fromEntries(settings.devices);
    m_active.clear();
    m_failure.clear();
    if (!settings.enabled) {
        m_sdl.stop();
        m_evdev.stop();
        emit devicesChanged();
        return true;
    }
    // SDL first: the pads it reads are left to it by evdev.
    const bool pads = m_sdl.start();
    if (!pads)
        m_failure = m_sdl.errorString();
    if (!m_evdev.isStarted())
        m_evdev.start();
    emit devicesChanged();
    return pads;
}

QList<ControllerDevice> ControllerRemote::devices() const
{
    QList<ControllerDevice> devices;
    for (const auto &connected : m_sdl.devices() + m_evdev.devices())
        devices << connected.first;
    return devices;
}

QString ControllerRemote::status() const
{
    if (!isListening())
        return i18n(str::ControllersOff);
    QStringList lines;
    if (!m_failure.isEmpty())
        lines << i18n(str::ControllersNoPads).arg(m_failure);
    QStringList names;
    for (const ControllerDevice &device : devices())
        names << device.name;
    lines << (names.isEmpty() ? i18n(str::ControllersNoDevice)
                              : i18n(str::ControllersListening).arg(names.join(QStringLiteral(", "))));
    lines << m_evdev.unreadable();
    return lines.join(QLatin1Char('\n'));
}

const ControllerBindings &ControllerRemote::bindingsFor(const QString &deviceKey)
{
    auto active = m_active.find(deviceKey);
    if (active == m_active.end()) {
        const std::optional<ControllerDevice> device = ControllerDevice::fromKey(deviceKey);
        active = m_active.insert(deviceKey, device ? m_map.bindingsFor(*device) : ControllerBindings());
    }
    return *active;
}

void ControllerRemote::receive(const ControllerEvent &event)
{
    // The event that ends learning (the control just bound) is not carried out either; what
    // the controls do is followed all the same, so that they act from where they stand after.
    const bool learning = m_learning;
    emit eventReceived(event);
    const ControllerBinding *binding = bindingsFor(event.device).bindingFor(event.control);
    const std::optional<RemoteCommand> command = m_drive.commandFor(event, binding);
    if (!command || learning)
        return;
    // A command the prompter cannot carry out now (the next script at the queue's end) is said.
    const QString error = m_target.perform(*command);
    if (!error.isEmpty())
        emit notice(error);
}

void ControllerRemote::added(const ControllerDevice &device, const QString &)
{
    emit notice(bindingsFor(device.key()).isEmpty() ? i18n(str::ControllerConnectedUnbound).arg(device.name)
                                                    : i18n(str::ControllerConnected).arg(device.name));
    emit devicesChanged();
}

void ControllerRemote::removed(const ControllerDevice &device, const QString &instance)
{
    m_drive.forget(instance);
    emit notice(i18n(str::ControllerDisconnected).arg(device.name).arg(m_target.snapshot().speed));
    emit devicesChanged();
}

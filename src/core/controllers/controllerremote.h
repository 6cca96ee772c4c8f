#pragma once

#include <QHash>
#include <QObject>

#include "core/controllers/controllerdrive.h"
#include "core/controllers/controllermap.h"
#include "core/controllers/evdevcontrollers.h"
#include "core/controllers/sdlcontrollers.h"
#include "core/settings/controllersettings.h"

class RemoteTarget;

// Hand controllers, pedals and control surfaces driving the prompter: while the settings say so
// it reads every game pad and joystick (SDL) and every jog/shuttle wheel, dial and pedal among the
// input devices (evdev), several at once, and each control's event becomes its binding's command,
// carried out as the control API's commands are. Devices come and go while it listens; the
// operator is told, and one that goes leaves the speed as it is. While the operator binds
// controls nothing is carried out.
class ControllerRemote : public QObject {
    Q_OBJECT
public:
    explicit ControllerRemote(RemoteTarget &target, QObject *parent = nullptr);
    ~ControllerRemote() override;

    // Listens or stops as `settings` say and takes their bindings; false (with status()) when it
    // should listen but can read no game pads.
    bool apply(const ControllerSettings &settings);
    const ControllerSettings &settings() const { return m_settings; }
    const ControllerMap &map() const { return m_map; }
    bool isListening() const { return m_evdev.isStarted(); }
    // The devices connected now, one for each connection.
    QList<ControllerDevice> devices() const;
    // A line for the operator: what it listens to, or why it cannot.
    QString status() const;
    void setLearning(bool learning) { m_learning = learning; }

    SdlControllers &sdl() { return m_sdl; }
    EvdevControllers &evdev() { return m_evdev; }

public slots:
    // An event from a device (or a test's stand-in for one).
    void receive(const ControllerEvent &event);

signals:
    void eventReceived(const ControllerEvent &event);
    void devicesChanged();
    // Something the operator is told on the status line: a device came or went, or a command
    // it sent could not be carried out.
    void notice(const QString &text);

private:
    void added(const ControllerDevice &device, const QString &instance);
    void removed(const ControllerDevice &device, const QString &instance);
    const ControllerBindings &bindingsFor(const QString &deviceKey);

    RemoteTarget &m_target;
    SdlControllers m_sdl;
    EvdevControllers m_evdev;
    ControllerSettings m_settings;
    ControllerMap m_map;
    ControllerDrive m_drive;
    QHash<QString, ControllerBindings> m_active; // the bindings in force, by device key
    QString m_failure;
    bool m_learning = false;
};

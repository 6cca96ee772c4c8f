#pragma once

#include <optional>

#include <QString>

// A hand controller, pedal or control surface as the settings know it: by how it is read, its
// name and its USB vendor and product ids. Two identical devices share their bindings.
struct ControllerDevice {
    enum class Kind {
        GamePad,  // a game controller that SDL names the buttons of (Xbox, PlayStation, Switch)
        Joystick, // another joystick, wheel or pedal SDL reads, its controls by number
        Input,    // any other input device read through evdev (jog/shuttle wheels, dials)
    };

    Kind kind = Kind::Input;
    QString name;
    quint16 vendor = 0;
    quint16 product = 0;

    bool operator==(const ControllerDevice &) const = default;

    // "pad/045e:028e/Xbox 360 Controller": the key its bindings are kept under.
    QString key() const;
    static std::optional<ControllerDevice> fromKey(const QString &key);
};

// Every game pad not bound one by one: its bindings are the game pads' defaults.
ControllerDevice anygamepad();
// Contour's jog/shuttle controllers, whose ring and dial have defaults of their own.
ControllerDevice shuttlexpress();
bool isshuttle(const ControllerDevice &device);

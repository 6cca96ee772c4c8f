#pragma once

#include <optional>

#include <QString>

// A control of a hand controller, foot pedal or control surface: a button (a key, or one way of a
// hat or d-pad), an axis whose position counts (a stick, a trigger, a pedal, a shuttle ring), or
// a dial that turns by steps (a jog wheel). `code` is the name the device's layer gives it: a game
// pad's "a" or "lefty", a joystick's "button3" or "axis0", an input device's "BTN_4" or "REL_DIAL".
struct ControllerControl {
    enum class Kind { Button, Axis, Dial };

    Kind kind = Kind::Button;
    QString code;

    bool operator==(const ControllerControl &) const = default;
};

// What a control did. A button: 1 pressed, 0 released. An axis: where it stands, 0..1 of its
// travel (a centred stick at 0.5, a pedal at rest at 0). A dial: the steps it turned (negative:
// back). `initial` marks the state a device reports when it is found, which sets nothing going.
struct ControllerEvent {
    QString device;   // the device's key (ControllerDevice::key)
    QString instance; // this connection of it: two identical pads are told apart
    ControllerControl control;
    double value = 0;
    bool initial = false;

    bool operator==(const ControllerEvent &) const = default;
};

// The control as the settings keep it ("button/a", "axis/lefty", "dial/REL_DIAL"), and back;
// nothing for a text that is no control.
QString controllercontrolkey(const ControllerControl &control);
std::optional<ControllerControl> controllercontrolfromkey(const QString &key);

// The control as the operator reads it ("Button a", "Axis lefty").
QString controllercontrolname(const ControllerControl &control);

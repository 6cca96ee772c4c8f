#pragma once

#include <optional>

#include <QSet>
#include <QString>

#include "core/controllers/controllerdevice.h"
#include "core/controllers/evdevdecoder.h"

struct libevdev;

// What an input device can report, by event type: its keys and buttons, relative and absolute
// axes, and its properties (INPUT_PROP_*).
struct EvdevCapabilities {
    QSet<int> keys;
    QSet<int> relative;
    QSet<int> absolute;
    QSet<int> properties;
};

// How the prompter reads the device when it is a controller of its kind: a jog/shuttle wheel, a
// dial, a pedal, a box of buttons. Nothing for what is not: keyboards (and their media keys),
// mice, touch pads and screens, motion sensors, power and lid buttons, and joysticks and game
// pads (SDL reads those).
// Axes' ranges and held keys are left for the caller to fill in.
std::optional<EvdevLayout> controllerlayout(const ControllerDevice &device,
                                            const EvdevCapabilities &capabilities);

// A device as sysfs describes it (/sys/class/input/eventN/device: name, id/, capabilities/),
// readable where its /dev/input node is not. Nothing when the folder says nothing.
std::optional<ControllerDevice> sysfsdevice(const QString &folder);
EvdevCapabilities sysfscapabilities(const QString &folder);

// An opened input device that is a controller: what it is and how it is read, with its axes'
// ranges and the keys held when it was opened.
struct EvdevProbe {
    ControllerDevice device;
    EvdevLayout layout;
};

// Asks the device behind `handle` what it is (libevdev); nothing when it is no controller.
std::optional<EvdevProbe> probeevdev(libevdev *handle);

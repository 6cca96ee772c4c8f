#pragma once

#include <optional>

#include <QHash>
#include <QList>
#include <QSet>

#include "core/controllers/controllercontrol.h"
#include "core/controllers/controllerdevice.h"
#include "core/controllers/evdevstream.h"

// What an input device reports and how its reports are read.
struct EvdevLayout {
    struct Range {
        int minimum = 0;
        int maximum = 0;
        int value = 0; // where it stood when the device was opened
    };
    // A relative axis that reports a position, not a movement: the shuttle ring of Contour's
    // controllers (-7..7) sends where it stands in every report and nothing at its middle (the
    // kernel passes no relative 0).
    struct PositionAxis {
        int code = 0;
        int minimum = 0;
        int maximum = 0;
    };
    // A relative axis that reports a counter, not a movement: Contour's jog dial sends its
    // count (wrapping at `modulus`) in every report and nothing when it is 0.
    struct CounterDial {
        int code = 0;
        int modulus = 256;
    };

    QHash<int, Range> absolute; // absolute axes by code (ABS_*)
    QSet<int> keys;             // keys and buttons (KEY_*, BTN_*) with the ones held at opening
    QSet<int> held;
    QSet<int> relative; // relative axes (REL_*) read as dials
    std::optional<PositionAxis> ring;
    std::optional<CounterDial> jog;

    // How Contour's jog/shuttle controllers are read, with what they report.
    static EvdevLayout shuttle(const QSet<int> &keys);
};

// The name of an input event code ("BTN_4", "REL_DIAL"), as controls are named; one made of the
// type and number for a code without a name.
QString evdevcodename(int type, int code);

// Turns one input device's frames into what its controls did.
class EvdevDecoder {
public:
    EvdevDecoder(const ControllerDevice &device, const QString &instance, const EvdevLayout &layout);

    // The device's state when it was opened (initial events): where its axes stand, and
    // which buttons are held.
    QList<ControllerEvent> initialEvents() const;
    QList<ControllerEvent> decode(const InputFrame &frame);

private:
    ControllerEvent event(ControllerControl::Kind kind, int type, int code, double value) const;
    double ringPosition(int value) const;
    // The jog's counter now stands at `count`: the steps it turned since.
    void jogTo(int count, QList<ControllerEvent> &events);

    QString m_device;
    QString m_instance;
    EvdevLayout m_layout;
    int m_ring = 0;                // where the ring stands
    std::optional<int> m_jogCount; // the jog's counter last reported
};

#pragma once

#include <optional>

#include <QList>
#include <QStringList>

#include "core/remote/midievent.h"
#include "core/remote/remotecommand.h"

// A control of a MIDI device bound to a command of the control API.
struct MidiBinding {
    MidiControl control;
    QString command;

    bool operator==(const MidiBinding &) const = default;
};

// Which control does what. A key, pad or switch pedal acts when pressed (a note's velocity above
// 0, a controller's value from 64) and not when released; a switch is switched over. A knob,
// fader or expression pedal bound to "speed" or "coarse" sets it, its 0..127 spread over the
// forward speeds or the coarse steps.
class MidiMapping {
public:
    // The commands a control can be bound to: those without a value, the switches, and the
    // speed and coarse step for faders.
    static QStringList bindableCommands();

    const QList<MidiBinding> &bindings() const { return m_bindings; }
    // Binds `control` to `command` in place of what it did before; false for a command that
    // cannot be bound.
    bool bind(const MidiControl &control, const QString &command);
    void forget(const MidiControl &control);

    // The command `event` asks for; nothing when its control is not bound or it is a release.
    std::optional<RemoteCommand> commandfor(const MidiEvent &event) const;

    // The bindings as the settings keep them ("note/1/60=pause"), and back; entries that cannot
    // be read are left out.
    QStringList entries() const;
    static MidiMapping fromEntries(const QStringList &entries);

private:
    QList<MidiBinding> m_bindings;
};

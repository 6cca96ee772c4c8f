#pragma once

#include <cstddef>
#include <optional>

#include <QString>

// A control of a MIDI device: a key, pad or foot switch that plays a note, or a knob, fader or
// pedal that sends a controller's value; on a channel from 1 to 16.
struct MidiControl {
    enum class Kind { Note, Controller };

    Kind kind = Kind::Note;
    int channel = 1;
    int number = 0; // the note or the controller, 0..127

    bool operator==(const MidiControl &) const = default;
};

// What a control did: a note's velocity (0: released) or a controller's value, 0..127.
struct MidiEvent {
    MidiControl control;
    int value = 0;

    bool operator==(const MidiEvent &) const = default;
};

// The event a MIDI message holds; nothing for the messages no control of ours sends (clock,
// system exclusive, pitch bend, a truncated message).
std::optional<MidiEvent> readmidievent(const unsigned char *bytes, std::size_t size);

// The control as the settings keep it ("note/1/60", "cc/10/7"), and back; nothing for a text
// that is no control.
QString midicontrolkey(const MidiControl &control);
std::optional<MidiControl> midicontrolfromkey(const QString &key);

// The control as the operator reads it ("Note 60, channel 1").
QString midicontrolname(const MidiControl &control);

#pragma once

#include <QStringList>

class QSettings;

// MIDI controllers, kept under the group "MIDI": whether the prompter listens to them, and which
// control does what (MidiMapping's entries).
struct MidiSettings {
    bool enabled = false; // "Enabled"
    QStringList bindings; // "Bindings"

    bool operator==(const MidiSettings &) const = default;
};

void writemidisettings(QSettings &settings, const MidiSettings &values);
// Reads the group over `values`; what is missing or cannot be read leaves the one in `values`.
void readmidisettings(QSettings &settings, MidiSettings &values);

#pragma once

#include <QByteArray>

class QSettings;

// Voice following's settings, kept under the group "Voice": off until the operator turns it on,
// and the microphone it listens to (empty: the system's default input).
struct VoiceSettings {
    bool enabled = false;  // "Enabled"
    QByteArray microphone; // "Microphone": the input device's id

    bool operator==(const VoiceSettings &other) const = default;
};

VoiceSettings readvoicesettings(QSettings &settings);
void writevoicesettings(QSettings &settings, const VoiceSettings &values);

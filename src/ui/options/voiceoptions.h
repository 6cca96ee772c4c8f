#pragma once

#include <QGroupBox>

#include "core/settings/voicesettings.h"

class QCheckBox;
class QComboBox;

// The options window's group for voice following: on or off, and the microphone.
class VoiceOptions : public QGroupBox {
    Q_OBJECT
public:
    explicit VoiceOptions(QWidget *parent = nullptr);

    QCheckBox *voiceenabled;
    QComboBox *voicemicrophone;

    VoiceSettings values() const;
    // Shows `settings`, with the microphones there are now (a chosen one that is gone stays in
    // the list, marked, so that the choice is not lost while it is unplugged).
    void showSettings(const VoiceSettings &settings);
};

#include "ui/options/voiceoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "core/platform/translation.h"
#include "stringtable.h"
#include "core/voice/microphoneinput.h"

VoiceOptions::VoiceOptions(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("VoiceFollowing"));
    setTitle(i18n(str::VoiceFollowing));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    voiceenabled = new QCheckBox(i18n(str::VoiceFollowTheSpeaker), this);
    voiceenabled->setObjectName(QStringLiteral("voiceenabled"));
    auto *label = new QLabel(i18n(str::VoiceMicrophone), this);
    voicemicrophone = new QComboBox(this);
    voicemicrophone->setObjectName(QStringLiteral("voicemicrophone"));
    label->setBuddy(voicemicrophone);
    grid->addWidget(voiceenabled, 0, 0, 1, 2);
    grid->addWidget(label, 1, 0);
    grid->addWidget(voicemicrophone, 1, 1);
    grid->setColumnStretch(1, 1);
}

VoiceSettings VoiceOptions::values() const
{
    return {voiceenabled->isChecked(), voicemicrophone->currentData().toByteArray()};
}

void VoiceOptions::showSettings(const VoiceSettings &settings)
{
    voiceenabled->setChecked(settings.enabled);
    voicemicrophone->clear();
    voicemicrophone->addItem(i18n(str::VoiceDefaultMicrophone), QByteArray());
    bool found = settings.microphone.isEmpty();
    for (const auto &[id, description] : MicrophoneInput::devices()) {
        voicemicrophone->addItem(description, id);
        found = found || id == settings.microphone;
    }
    if (!found)
        voicemicrophone->addItem(i18n(str::VoiceMicrophoneAbsent).arg(QString::fromUtf8(settings.microphone)),
                                 settings.microphone);
    voicemicrophone->setCurrentIndex(qMax(0, voicemicrophone->findData(settings.microphone)));
}

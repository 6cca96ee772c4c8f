#include "ui/voice/voicecontrol.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "core/platform/translation.h"
#include "core/settings/settingsstore.h"
#include "stringtable.h"
#include "ui/options/tform4.h"
#include "ui/options/voiceoptions.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/readingaids/readingaids.h"
#include "ui/settings/settingsgroup.h"
#include "ui/toolkit/statusnotice.h"
#include "ui/voice/voicefollowing.h"

VoiceControl::VoiceControl(const PrompterParts &parts, ReadingAids &aids, QObject *parent)
    : QObject(parent), m_aids(aids), m_voice(new VoiceFollowing(&parts.page, &parts.engine, this)),
      m_label(new QLabel(&parts.window)), m_entry(new QAction(&parts.menu))
{
    setObjectName(QStringLiteral("voicecontrol"));
    m_voice->setObjectName(QStringLiteral("voice"));
    m_label->setObjectName(QStringLiteral("voicelabel"));
    parts.view.addReadout(m_label, true);
    m_entry->setObjectName(QStringLiteral("VoiceFollowing1"));
    m_entry->setCheckable(true);
    PrompterCommands &commands = parts.commands;
    commands.bindMenuEntry(m_entry);
    connect(m_voice, &VoiceFollowing::switched, m_entry, &QAction::setChecked);
    connect(m_voice, &VoiceFollowing::switched, &commands, &PrompterCommands::notifyStateChanged);
    connect(m_voice, &VoiceFollowing::stateText, m_label, &QLabel::setText);
    connect(m_voice, &VoiceFollowing::notice, &parts.notice, &StatusNotice::show);
    connect(&commands, &PrompterCommands::takingOver, m_voice, &VoiceFollowing::takeOver);
    commands.handle(RemoteAction::VoiceFollowing, [this](const RemoteCommand &command, CommandSource) {
        setOn(command.on.value_or(!isOn()));
        return QString();
    });
    commands.addStatePart([this](PrompterSnapshot &state) { state.voiceFollowing = isOn(); });
}

bool VoiceControl::isOn() const
{
    return m_voice->isOn();
}

void VoiceControl::setOn(bool on)
{
    m_voice->setReadingLine(m_aids.values().readingLine.height);
    m_voice->setOn(on);
}

void VoiceControl::setSettings(const VoiceSettings &values)
{
    m_settings = values;
    if (m_group)
        m_group->showSettings(values);
    m_voice->setMicrophone(values.microphone);
    setOn(values.enabled);
}

void VoiceControl::attachOptions(TForm4 &options)
{
    m_group = new VoiceOptions;
    options.addFeaturePage(m_group, "voicepagebutton", str::VoiceFollowing);
    m_group->showSettings(m_settings);
    connect(&options, &QDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted) {
            const VoiceSettings before = m_settings;
            setSettings(m_group->values());
            if (m_settings != before)
                store();
        }
        // Cancel puts back what was chosen before, and the microphones are listed anew next time.
        m_group->showSettings(m_settings);
    });
}

void VoiceControl::pageChanged()
{
    m_voice->pageChanged();
}

void VoiceControl::setTexts()
{
    m_entry->setText(i18n(str::MenuVoiceFollowing));
}

void VoiceControl::restore()
{
    SettingsStore store;
    // Following starts with the first page when it was left on.
    setSettings(readvoicesettings(store.settings()));
}

void VoiceControl::store() const
{
    const VoiceSettings values = m_settings;
    storeSettings(QStringLiteral("Voice"),
                  [&values](QSettings &settings) { writevoicesettings(settings, values); });
}

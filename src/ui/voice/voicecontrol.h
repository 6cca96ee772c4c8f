#pragma once

#include <QObject>

#include "core/settings/voicesettings.h"

class QAction;
class QLabel;
class TForm4;
class VoiceOptions;
class ReadingAids;
class VoiceFollowing;
struct PrompterParts;

// Voice following on the prompter: the page follows the speaker's voice while it is on. Its menu
// entry and key, its state on the status line, its settings kept between runs (group "Voice");
// any command of the operator's that moves the page takes over from it at once.
class VoiceControl : public QObject {
    Q_OBJECT
public:
    VoiceControl(const PrompterParts &parts, ReadingAids &aids, QObject *parent = nullptr);

    VoiceFollowing *following() const { return m_voice; }
    QAction *menuEntry() const { return m_entry; }
    bool isOn() const;
    // Turns following on or off for now (the key, the menu, remote controls).
    void setOn(bool on);
    const VoiceSettings &settings() const { return m_settings; }
    // The options' choice: kept, and following turned on or off by it.
    void setSettings(const VoiceSettings &values);
    // Puts its options on a page of the options window, and takes them when it is confirmed.
    void attachOptions(TForm4 &options);
    VoiceOptions *optionsGroup() const { return m_group; }
    // A new page is followed from its start.
    void pageChanged();
    void setTexts();

    void restore();
    void store() const;

private:
    ReadingAids &m_aids;
    VoiceFollowing *m_voice;
    QLabel *m_label;
    QAction *m_entry;
    VoiceSettings m_settings;
    VoiceOptions *m_group = nullptr;
};

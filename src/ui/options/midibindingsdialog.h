#pragma once

#include <QDialog>

#include "core/remote/midimapping.h"
#include "core/settings/midisettings.h"

class MidiRemote;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// Binding MIDI controls to commands: the operator picks a command, clicks Learn and moves a
// control of the device; the list shows which control does what. Ok keeps it.
class MidiBindingsDialog : public QDialog {
    Q_OBJECT
public:
    MidiBindingsDialog(MidiRemote *midi, QWidget *parent = nullptr);
    ~MidiBindingsDialog() override;

    QCheckBox *midienabled;
    QComboBox *midicommand;
    QPushButton *midilearn, *midiremove;
    QTreeWidget *midibindings;
    QLabel *midistatus;

    // The settings as the dialog shows them.
    MidiSettings values() const;

private:
    void learned(const MidiEvent &event);
    void showBindings();

    MidiRemote *m_midi;
    MidiMapping m_mapping;
};

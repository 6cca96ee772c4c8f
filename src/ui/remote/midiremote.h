#pragma once

#include <QObject>

#include "core/remote/midiinput.h"
#include "core/remote/midimapping.h"
#include "core/settings/midisettings.h"

class RemoteTarget;

// MIDI controllers driving the prompter: while the settings say so it listens to every MIDI
// input, and each event of a bound control becomes that control's command, carried out as the
// control API's commands are. While the operator binds controls nothing is carried out.
class MidiRemote : public QObject {
    Q_OBJECT
public:
    MidiRemote(RemoteTarget &target, QObject *parent = nullptr);

    // Listens or stops as `settings` say and takes their bindings; false (with status()) when
    // it should listen but cannot.
    bool apply(const MidiSettings &settings);
    const MidiSettings &settings() const { return m_settings; }
    bool isListening() const { return m_input.isOpen(); }
    // A line for the operator: what it listens to, or why it cannot.
    QString status() const;
    void setLearning(bool learning) { m_learning = learning; }

public slots:
    // An event from a device (or a test's stand-in for one).
    void receive(const MidiEvent &event);

signals:
    void eventReceived(const MidiEvent &event);
    // Something the operator is told on the status line: a MIDI device plugged in is heard.
    void notice(const QString &text);

private:
    RemoteTarget &m_target;
    MidiInput m_input;
    MidiMapping m_mapping;
    MidiSettings m_settings;
    QString m_failure;
    bool m_learning = false;
};

#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QStringList>
#include <QTimer>

#include "core/remote/alsaportwatch.h"
#include "core/remote/midievent.h"

class RtMidiIn;

// MIDI controllers through the ALSA sequencer: every input port there is, and a port of its own
// ("Vantell") that other programs and devices can be connected to. Ports that appear while it
// listens (a pedal plugged in mid-show) are opened as the sequencer announces them, within a
// fraction of a second; where announcements cannot be followed the ports are looked for every
// second. Events arrive on the sequencer's thread and are told on in the event loop.
class MidiInput : public QObject {
    Q_OBJECT
public:
    static constexpr int rescanIntervalMs = 1000;

    explicit MidiInput(QObject *parent = nullptr);
    ~MidiInput() override;

    // Opens the ports; false (with errorString()) when there is no sequencer to open.
    bool open();
    void close();
    bool isOpen() const { return !m_inputs.empty(); }
    // The devices' ports it listens to.
    QStringList ports() const;
    QString errorString() const { return m_error; }

signals:
    void eventReceived(const MidiEvent &event);
    // Ports of devices plugged in while it listens, now listened to.
    void portsAdded(const QStringList &names);

private:
    struct Port {
        QString name;
        std::unique_ptr<RtMidiIn> input;
    };

    static void received(double, std::vector<unsigned char> *message, void *self);
    // Opens the ports that appeared and lets go of those that went.
    void refresh();

    std::vector<Port> m_inputs;
    AlsaPortWatch m_watch;
    QTimer m_rescan;
    QString m_error;
};

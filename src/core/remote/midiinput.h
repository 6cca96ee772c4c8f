#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QStringList>

#include "core/remote/midievent.h"

class RtMidiIn;

// MIDI controllers through the ALSA sequencer: every input port there is when it is opened, and
// a port of its own ("Vantell") that other programs and devices can be connected to. Events
// arrive on the sequencer's thread and are told on in the event loop.
class MidiInput : public QObject {
    Q_OBJECT
public:
    explicit MidiInput(QObject *parent = nullptr);
    ~MidiInput() override;

    // Opens the ports; false (with errorString()) when there is no sequencer to open.
    bool open();
    void close();
    bool isOpen() const { return !m_inputs.empty(); }
    // The devices' ports it listens to.
    QStringList ports() const { return m_ports; }
    QString errorString() const { return m_error; }

signals:
    void eventReceived(const MidiEvent &event);

private:
    static void received(double, std::vector<unsigned char> *message, void *self);

    std::vector<std::unique_ptr<RtMidiIn>> m_inputs;
    QStringList m_ports;
    QString m_error;
};

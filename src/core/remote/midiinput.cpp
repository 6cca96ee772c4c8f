#include "core/remote/midiinput.h"

#include <rtmidi/RtMidi.h>

#include <QMetaObject>

namespace {
const std::string clientName = "Vantell";

std::unique_ptr<RtMidiIn> newInput()
{
    return std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, clientName);
}
} // namespace

MidiInput::MidiInput(QObject *parent) : QObject(parent)
{
    m_rescan.setInterval(rescanIntervalMs);
    connect(&m_rescan, &QTimer::timeout, this, &MidiInput::refresh);
    connect(&m_watch, &AlsaPortWatch::portsChanged, this, &MidiInput::refresh);
}

MidiInput::~MidiInput()
{
    close();
}

bool MidiInput::open()
{
    close();
    try {
        // The port of our own, which also tells whether there is a sequencer at all.
        auto own = newInput();
        own->setCallback(&MidiInput::received, this);
        own->openVirtualPort(clientName);
        m_inputs.push_back(Port{QString(), std::move(own)});
    } catch (const std::exception &error) {
        m_error = QString::fromLocal8Bit(error.what()).trimmed();
        close();
        return false;
    }
    m_error.clear();
    // The announcements first, so that no port appears unseen between the look and them.
    if (!m_watch.start())
        m_rescan.start();
    refresh();
    return isOpen();
}

void MidiInput::close()
{
    m_watch.stop();
    m_rescan.stop();
    // Each input stops its thread before it goes: no event arrives for a half-closed input.
    m_inputs.clear();
}

QStringList MidiInput::ports() const
{
    QStringList names;
    for (const Port &port : m_inputs)
        if (!port.name.isEmpty())
            names << port.name;
    return names;
}

void MidiInput::refresh()
{
    if (m_inputs.empty())
        return;
    QStringList present;
    QStringList added;
    bool complete = true;
    try {
        const auto probe = newInput();
        const unsigned int count = probe->getPortCount();
        for (unsigned int index = 0; index < count; ++index) {
            const std::string name = probe->getPortName(index);
            // Our own ports are listened to already.
            if (name.rfind(clientName, 0) == 0)
                continue;
            const QString shown = QString::fromStdString(name);
            present << shown;
            if (ports().contains(shown))
                continue;
            auto input = newInput();
            input->setCallback(&MidiInput::received, this);
            input->openPort(index, clientName);
            m_inputs.push_back(Port{shown, std::move(input)});
            added << shown;
        }
    } catch (const std::exception &error) {
        // A port that went while it was being opened is looked for again at the next change.
        m_error = QString::fromLocal8Bit(error.what()).trimmed();
        complete = false;
    }
    // Ports that went are let go of; our own (no name) stays.
    if (complete)
        std::erase_if(m_inputs, [&present](const Port &port) {
            return !port.name.isEmpty() && !present.contains(port.name);
        });
    if (!added.isEmpty())
        emit portsAdded(added);
}

void MidiInput::received(double, std::vector<unsigned char> *message, void *self)
{
    const std::optional<MidiEvent> event = readmidievent(message->data(), message->size());
    if (!event)
        return;
    auto *input = static_cast<MidiInput *>(self);
    QMetaObject::invokeMethod(
        input, [input, read = *event] { emit input->eventReceived(read); }, Qt::QueuedConnection);
}

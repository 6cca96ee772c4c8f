#include "core/remote/midiinput.h"

#include <rtmidi/RtMidi.h>

#include <QMetaObject>

namespace {
const std::string clientName = "Vantell";
} // namespace

MidiInput::MidiInput(QObject *parent) : QObject(parent) {}

MidiInput::~MidiInput()
{
    close();
}

bool MidiInput::open()
{
    close();
    try {
        // The port of our own, which also tells whether there is a sequencer at all.
        auto own = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, clientName);
        const unsigned int count = own->getPortCount();
        own->setCallback(&MidiInput::received, this);
        own->openVirtualPort(clientName);
        m_inputs.push_back(std::move(own));
        for (unsigned int port = 0; port < count; ++port) {
            auto input = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, clientName);
            const std::string name = input->getPortName(port);
            // Our own port is listened to already.
            if (name.rfind(clientName, 0) == 0)
                continue;
            input->setCallback(&MidiInput::received, this);
            input->openPort(port, clientName);
            m_ports << QString::fromStdString(name);
            m_inputs.push_back(std::move(input));
        }
    } catch (const std::exception &error) {
        m_error = QString::fromLocal8Bit(error.what()).trimmed();
        close();
        return false;
    }
    m_error.clear();
    return true;
}

void MidiInput::close()
{
    // Each input stops its thread before it goes: no event arrives for a half-closed input.
    m_inputs.clear();
    m_ports.clear();
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

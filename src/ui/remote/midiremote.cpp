#include "ui/remote/midiremote.h"

#include "core/platform/translation.h"
#include "core/remote/remotetarget.h"
#include "stringtable.h"

MidiRemote::MidiRemote(RemoteTarget &target, QObject *parent) : QObject(parent), m_target(target)
{
    connect(&m_input, &MidiInput::eventReceived, this, &MidiRemote::receive);
    connect(&m_input, &MidiInput::portsAdded, this, [this](const QStringList &names) {
        emit notice(i18n(str::MidiDeviceConnected).arg(names.join(QStringLiteral(", "))));
    });
}

bool MidiRemote::apply(const MidiSettings &settings)
{
    m_settings = settings;
    m_mapping = MidiMapping::fromEntries(settings.bindings);
    m_failure.clear();
    if (!settings.enabled) {
        m_input.close();
        return true;
    }
    if (m_input.isOpen())
        return true;
    if (!m_input.open()) {
        m_failure = m_input.errorString();
        return false;
    }
    return true;
}

QString MidiRemote::status() const
{
    if (!m_failure.isEmpty())
        return i18n(str::MidiCannotListen).arg(m_failure);
    if (!m_input.isOpen())
        return i18n(str::MidiOff);
    const QStringList ports = m_input.ports();
    return ports.isEmpty() ? i18n(str::MidiNoDevice)
                           : i18n(str::MidiListening).arg(ports.join(QStringLiteral(", ")));
}

void MidiRemote::receive(const MidiEvent &event)
{
    // The event that ends learning (the control just bound) is not carried out either.
    const bool learning = m_learning;
    emit eventReceived(event);
    if (learning)
        return;
    // A command the prompter cannot carry out now (the next script at the queue's end) is let
    // pass, as the key for it would be.
    if (const std::optional<RemoteCommand> command = m_mapping.commandfor(event))
        m_target.perform(*command);
}

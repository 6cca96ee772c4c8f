#include "core/remote/midimapping.h"

#include <cmath>

namespace {
constexpr int pressedFrom = 64;
constexpr int largestValue = 127;
constexpr int fastestSpeed = 300;
constexpr int largestCoarse = 10;

// Spreads a controller's 0..127 over `low`..`high`.
int spread(int value, int low, int high)
{
    return low + int(std::lround(double(value) * (high - low) / largestValue));
}
} // namespace

QStringList MidiMapping::bindableCommands()
{
    QStringList commands;
    for (const QString &name : remotecommandnames()) {
        const std::optional<RemoteArgument> argument = remotecommandargument(name);
        if (argument == RemoteArgument::None || argument == RemoteArgument::Switch ||
            name == QLatin1String("speed") || name == QLatin1String("coarse"))
            commands << name;
    }
    return commands;
}

bool MidiMapping::bind(const MidiControl &control, const QString &command)
{
    if (!bindableCommands().contains(command))
        return false;
    forget(control);
    m_bindings.append(MidiBinding{control, command});
    return true;
}

void MidiMapping::forget(const MidiControl &control)
{
    m_bindings.removeIf([&control](const MidiBinding &binding) { return binding.control == control; });
}

std::optional<RemoteCommand> MidiMapping::commandfor(const MidiEvent &event) const
{
    for (const MidiBinding &binding : m_bindings) {
        if (binding.control != event.control)
            continue;
        const RemoteArgument argument = remotecommandargument(binding.command).value_or(RemoteArgument::None);
        QJsonValue value;
        if (argument == RemoteArgument::Number) {
            if (event.control.kind != MidiControl::Kind::Controller)
                return std::nullopt;
            value = binding.command == QLatin1String("speed") ? spread(event.value, 0, fastestSpeed)
                                                              : spread(event.value, 1, largestCoarse);
        } else {
            const bool pressed =
                event.control.kind == MidiControl::Kind::Note ? event.value > 0 : event.value >= pressedFrom;
            if (!pressed)
                return std::nullopt;
        }
        return remotecommand(binding.command, value).command;
    }
    return std::nullopt;
}

QStringList MidiMapping::entries() const
{
    QStringList entries;
    for (const MidiBinding &binding : m_bindings)
        entries << midicontrolkey(binding.control) + QLatin1Char('=') + binding.command;
    return entries;
}

MidiMapping MidiMapping::fromEntries(const QStringList &entries)
{
    MidiMapping mapping;
    for (const QString &entry : entries) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        if (const std::optional<MidiControl> control = midicontrolfromkey(entry.left(equals)))
            mapping.bind(*control, entry.mid(equals + 1).trimmed());
    }
    return mapping;
}

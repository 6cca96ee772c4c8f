#include "core/controllers/controllerbindings.h"

#include "core/remote/remotecommand.h"

namespace {

const QString speedCommand = QStringLiteral("speed");
const QString linesCommand = QStringLiteral("jump-lines");

// Commands a press can give: those without a value and the switches.
QStringList pressCommands()
{
    QStringList commands;
    for (const QString &name : remotecommandnames()) {
        const std::optional<RemoteArgument> argument = remotecommandargument(name);
        if (argument == RemoteArgument::None || argument == RemoteArgument::Switch)
            commands << name;
    }
    return commands;
}

} // namespace

QString ControllerBinding::entry() const
{
    QString text = controllercontrolkey(control) + QLatin1Char('=') + command;
    if (command == speedCommand)
        text += QLatin1Char(' ') + axis.text();
    else if (command == linesCommand)
        text += QStringLiteral(" %1").arg(lines);
    return text;
}

std::optional<ControllerBinding> ControllerBinding::fromEntry(const QString &entry)
{
    const qsizetype equals = entry.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    const std::optional<ControllerControl> control = controllercontrolfromkey(entry.left(equals));
    if (!control)
        return std::nullopt;
    const QString rest = entry.mid(equals + 1).trimmed();
    const qsizetype space = rest.indexOf(QLatin1Char(' '));
    ControllerBinding binding;
    binding.control = *control;
    binding.command = space < 0 ? rest : rest.left(space);
    const QString setting = space < 0 ? QString() : rest.mid(space + 1);
    if (!ControllerBindings::bindableCommands(control->kind).contains(binding.command))
        return std::nullopt;
    if (binding.command == speedCommand) {
        const std::optional<AxisResponse> axis = AxisResponse::fromText(setting);
        if (!axis)
            return std::nullopt;
        binding.axis = *axis;
    } else if (binding.command == linesCommand) {
        bool ok = false;
        binding.lines = setting.toInt(&ok);
        if (!ok || binding.lines < 1 || binding.lines > maxLinesPerStep)
            return std::nullopt;
    } else if (!setting.isEmpty()) {
        return std::nullopt;
    }
    return binding;
}

QStringList ControllerBindings::bindableCommands(ControllerControl::Kind kind)
{
    switch (kind) {
    case ControllerControl::Kind::Button:
        return pressCommands();
    case ControllerControl::Kind::Axis:
        return QStringList{speedCommand} + pressCommands();
    case ControllerControl::Kind::Dial:
        break;
    }
    return {linesCommand};
}

const ControllerBinding *ControllerBindings::bindingFor(const ControllerControl &control) const
{
    for (const ControllerBinding &binding : m_bindings)
        if (binding.control == control)
            return &binding;
    return nullptr;
}

bool ControllerBindings::bind(const ControllerBinding &binding)
{
    if (!bindableCommands(binding.control.kind).contains(binding.command))
        return false;
    for (ControllerBinding &bound : m_bindings) {
        if (bound.control == binding.control) {
            bound = binding;
            return true;
        }
    }
    m_bindings.append(binding);
    return true;
}

void ControllerBindings::forget(const ControllerControl &control)
{
    m_bindings.removeIf([&control](const ControllerBinding &binding) { return binding.control == control; });
}

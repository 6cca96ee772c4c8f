#include "core/controllers/controllerdrive.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double pushedFrom = 0.5;
constexpr int maxLines = 1000000;

QString stateKey(const ControllerEvent &event)
{
    return event.instance + QLatin1Char('\n') + controllercontrolkey(event.control);
}

// A button held, or an axis bound to a command pushed past half its travel.
bool pushed(double value, const ControllerBinding &binding)
{
    return binding.control.kind == ControllerControl::Kind::Button
               ? value >= pushedFrom
               : axistravel(value, binding.axis) >= pushedFrom;
}

} // namespace

std::optional<RemoteCommand> ControllerDrive::commandFor(const ControllerEvent &event,
                                                         const ControllerBinding *binding)
{
    if (!std::isfinite(event.value) || (binding && binding->control != event.control))
        return std::nullopt;
    if (event.control.kind == ControllerControl::Kind::Dial) {
        const int steps = int(std::lround(std::clamp(event.value, -double(maxLines), double(maxLines))));
        if (!binding || event.initial || steps == 0)
            return std::nullopt;
        return remotecommand(binding->command, std::clamp(steps * binding->lines, -maxLines, maxLines))
            .command;
    }
    const QString key = stateKey(event);
    const auto found = m_values.constFind(key);
    const bool known = found != m_values.constEnd();
    const double before = known ? *found : 0.0;
    m_values.insert(key, event.value);
    if (!binding || event.initial)
        return std::nullopt;
    if (event.control.kind == ControllerControl::Kind::Axis && binding->command == QLatin1String("speed")) {
        const int speed = axisspeed(event.value, binding->axis);
        if (known && axisspeed(before, binding->axis) == speed)
            return std::nullopt;
        return remotecommand(binding->command, speed).command;
    }
    if (!pushed(event.value, *binding) || (known && pushed(before, *binding)))
        return std::nullopt;
    return remotecommand(binding->command, QJsonValue()).command;
}

void ControllerDrive::forget(const QString &instance)
{
    const QString prefix = instance + QLatin1Char('\n');
    m_values.removeIf([&prefix](const auto &entry) { return entry.key().startsWith(prefix); });
}

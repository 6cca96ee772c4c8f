#include "core/controllers/controllearner.h"

#include <cmath>

namespace {

constexpr double endZone = 0.15;

QString restKey(const ControllerEvent &event)
{
    return event.instance + QLatin1Char('\n') + controllercontrolkey(event.control);
}

} // namespace

std::optional<ControllerEvent> ControlLearner::observe(const ControllerEvent &event)
{
    if (!std::isfinite(event.value))
        return std::nullopt;
    switch (event.control.kind) {
    case ControllerControl::Kind::Button:
        if (event.initial || event.value < 0.5)
            return std::nullopt;
        return event;
    case ControllerControl::Kind::Dial:
        if (event.initial || event.value == 0)
            return std::nullopt;
        return event;
    case ControllerControl::Kind::Axis:
        break;
    }
    const QString key = restKey(event);
    const auto rest = m_rests.constFind(key);
    if (rest == m_rests.constEnd()) {
        m_rests.insert(key, event.value);
        return std::nullopt;
    }
    if (event.initial || std::abs(event.value - *rest) < chosenTravel)
        return std::nullopt;
    return event;
}

double ControlLearner::restOf(const ControllerEvent &event) const
{
    return m_rests.value(restKey(event), 0.5);
}

AxisResponse ControlLearner::responseFor(double rest)
{
    AxisResponse response;
    if (rest <= endZone || rest >= 1 - endZone) {
        response.mode = AxisResponse::Mode::EndStop;
        // A pedal resting at the top of its range is pressed toward 0.
        response.reversed = rest >= 1 - endZone;
        response.deadZone = 5;
    }
    return response;
}

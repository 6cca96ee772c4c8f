#pragma once

#include <optional>

#include <QHash>

#include "core/controllers/axisresponse.h"
#include "core/controllers/controllercontrol.h"

// Finds the control the operator means while learning: the next button pressed, dial turned or
// axis moved well away from where it stood (a stick's tremble or a pedal's rest is no choice).
class ControlLearner {
public:
    static constexpr double chosenTravel = 0.3; // of the axis's travel, from where it stood

    // The event's control when the event chooses it.
    std::optional<ControllerEvent> observe(const ControllerEvent &event);
    // Learning starts over: where the axes stand is taken anew.
    void restart() { m_rests.clear(); }
    // How an axis chosen by moving it from `rest` sets the speed: one resting at an end is a
    // pedal or a trigger (end-stop, its stop where it rests), one resting in the middle a wheel
    // or a stick (centre-stop).
    static AxisResponse responseFor(double rest);
    // Where the axis stood when learning began (or was first heard of); 0.5 if never seen.
    double restOf(const ControllerEvent &event) const;

private:
    QHash<QString, double> m_rests; // by instance and control
};

#pragma once

#include <optional>

#include <QString>

// How an axis bound to the speed sets it from where it stands, as a prompter's hand controller
// does: the position is the speed.
struct AxisResponse {
    enum class Mode {
        CentreStop, // the middle is stop, one side forward, the other back (wheels, sticks)
        EndStop,    // one end is stop, the other full speed forward (pedals, triggers)
    };
    enum class Curve {
        Linear,      // the speed grows with the travel
        Exponential, // slow speeds get most of the travel, for fine control while reading
    };

    static constexpr int maxDeadZone = 50;
    static constexpr int minTopSpeed = 10;

    Mode mode = Mode::CentreStop;
    Curve curve = Curve::Linear;
    int deadZone = 10;  // percent of the travel from the stop that is still stop
    int topSpeed = 300; // the speed at the travel's end
    // The axis reads the other way round: centred, its sides swap; end-stop, its stop is at the
    // top of its range (a pedal that reads highest at rest).
    bool reversed = false;

    bool operator==(const AxisResponse &) const = default;

    // "centre-stop exponential 10 300 reversed", as the settings keep it, and back.
    QString text() const;
    static std::optional<AxisResponse> fromText(const QString &text);
};

// The speed for an axis standing at `position` (0..1 of its travel): 0 within the dead zone,
// at least 1 beyond it, and the top speed at the end of the travel.
int axisspeed(double position, const AxisResponse &response);

// How far the axis stands from its stop, 0..1, before the dead zone and curve.
double axistravel(double position, const AxisResponse &response);

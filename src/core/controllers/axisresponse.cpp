#include "core/controllers/axisresponse.h"

#include <algorithm>
#include <cmath>

#include <QStringList>

namespace {

// The exponential curve's steepness: half the travel gives a fifth of the top speed.
constexpr double steepness = 3.0;
constexpr int maxSpeed = 300;

QLatin1String modeName(AxisResponse::Mode mode)
{
    return mode == AxisResponse::Mode::CentreStop ? QLatin1String("centre-stop") : QLatin1String("end-stop");
}

QLatin1String curveName(AxisResponse::Curve curve)
{
    return curve == AxisResponse::Curve::Linear ? QLatin1String("linear") : QLatin1String("exponential");
}

} // namespace

QString AxisResponse::text() const
{
    QString text =
        QStringLiteral("%1 %2 %3 %4").arg(modeName(mode), curveName(curve)).arg(deadZone).arg(topSpeed);
    if (reversed)
        text += QLatin1String(" reversed");
    return text;
}

std::optional<AxisResponse> AxisResponse::fromText(const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() != 4 && !(words.size() == 5 && words.at(4) == QLatin1String("reversed")))
        return std::nullopt;
    AxisResponse response;
    if (words.at(0) == modeName(Mode::CentreStop))
        response.mode = Mode::CentreStop;
    else if (words.at(0) == modeName(Mode::EndStop))
        response.mode = Mode::EndStop;
    else
        return std::nullopt;
    if (words.at(1) == curveName(Curve::Linear))
        response.curve = Curve::Linear;
    else if (words.at(1) == curveName(Curve::Exponential))
        response.curve = Curve::Exponential;
    else
        return std::nullopt;
    bool deadOk = false;
    bool topOk = false;
    response.deadZone = words.at(2).toInt(&deadOk);
    response.topSpeed = words.at(3).toInt(&topOk);
    if (!deadOk || !topOk || response.deadZone < 0 || response.deadZone > maxDeadZone ||
        response.topSpeed < minTopSpeed || response.topSpeed > maxSpeed)
        return std::nullopt;
    response.reversed = words.size() == 5;
    return response;
}

double axistravel(double position, const AxisResponse &response)
{
    double read = std::isfinite(position) ? std::clamp(position, 0.0, 1.0) : 0.5;
    if (response.reversed)
        read = 1 - read;
    if (response.mode == AxisResponse::Mode::CentreStop)
        return std::abs(read * 2 - 1);
    return std::isfinite(position) ? read : 0.0;
}

int axisspeed(double position, const AxisResponse &response)
{
    const double travel = axistravel(position, response);
    const double deadZone = response.deadZone / 100.0;
    if (travel <= deadZone)
        return 0;
    const double beyond = std::min(1.0, (travel - deadZone) / (1.0 - deadZone));
    const double shaped = response.curve == AxisResponse::Curve::Linear
                              ? beyond
                              : (std::exp(steepness * beyond) - 1) / (std::exp(steepness) - 1);
    const int top = std::clamp(response.topSpeed, AxisResponse::minTopSpeed, maxSpeed);
    // Past the dead zone the page moves, however slowly.
    const int magnitude = std::max(1, int(std::lround(shaped * top)));
    // Centred, the side toward 0 (or toward 1, reversed) runs back; an end-stop axis runs forward.
    const bool backward =
        response.mode == AxisResponse::Mode::CentreStop && ((position < 0.5) != response.reversed);
    return backward ? -magnitude : magnitude;
}

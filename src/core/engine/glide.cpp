#include "core/engine/glide.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

Glide::Glide(int from, int to, double rate, int viewHeight) : m_start(from), m_to(to), m_rate(rate)
{
    const int reach = std::max(1, viewHeight);
    if (std::abs(to - from) > reach)
        m_start = to > from ? to - reach : to + reach;
}

int Glide::position(double elapsedMs) const
{
    const double target = m_to + m_rate * std::max(0.0, elapsedMs) / 1000;
    if (finished(elapsedMs))
        return int(std::lround(target));
    // Ease out: fast at first, slowing into the target (cubic).
    const double t = std::clamp(elapsedMs / durationMs, 0.0, 1.0);
    const double eased = 1 - std::pow(1 - t, 3);
    return int(std::lround(m_start + (target - m_start) * eased));
}

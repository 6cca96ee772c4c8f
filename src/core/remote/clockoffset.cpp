#include "core/remote/clockoffset.h"

#include <algorithm>

void ClockOffset::add(double sent, double received, double answered, double returned)
{
    const double delay = std::max(0.0, (returned - sent) - (answered - received));
    const double offset = ((received - sent) + (answered - returned)) / 2;
    m_samples.append({offset, delay});
    if (m_samples.size() > kept)
        m_samples.removeFirst();
}

const ClockOffset::Sample *ClockOffset::best() const
{
    const auto found = std::min_element(m_samples.cbegin(), m_samples.cend(),
                                        [](const Sample &a, const Sample &b) { return a.delay < b.delay; });
    return found == m_samples.cend() ? nullptr : &*found;
}

double ClockOffset::offset() const
{
    const Sample *sample = best();
    return sample ? sample->offset : 0;
}

double ClockOffset::delay() const
{
    const Sample *sample = best();
    return sample ? sample->delay : 0;
}

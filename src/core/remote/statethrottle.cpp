#include "core/remote/statethrottle.h"

#include <algorithm>

qint64 StateThrottle::wait(qint64 now) const
{
    return std::max<qint64>(0, m_lastSent + m_intervalMs - now);
}

#include "core/standby/takeoverwatch.h"

#include <algorithm>

void TakeoverWatch::setTimeout(int timeoutMs)
{
    m_timeout = std::clamp(timeoutMs, StandbySettings::minTakeoverMs, StandbySettings::maxTakeoverMs);
}

void TakeoverWatch::setReady(bool ready)
{
    m_ready = ready;
}

void TakeoverWatch::heard(qint64 now)
{
    m_heard = now;
}

bool TakeoverWatch::due(qint64 now)
{
    const bool late = m_checked && now - *m_checked > qint64(checkIntervalMs) * lateChecks;
    m_checked = now;
    if (!m_ready || !m_heard)
        return false;
    if (late && !m_deferred) {
        m_deferred = true;
        return false;
    }
    m_deferred = false;
    return now - *m_heard > m_timeout;
}

#include "core/engine/ticktimer.h"

#include <algorithm>

TickTimer::TickTimer(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(m_interval);
    connect(&m_timer, &QTimer::timeout, this, &TickTimer::onTimer);
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled)
        restart();
    else
        m_timer.stop();
    emit changed();
}

void TickTimer::setInterval(int ms)
{
    ms = std::max(ms, 1);
    if (ms == m_interval)
        return;
    m_interval = ms;
    m_timer.setInterval(ms);
    if (m_enabled)
        restart();
    emit changed();
}

void TickTimer::restart()
{
    m_ticksReported = 0;
    m_clock.start();
    m_timer.start();
}

void TickTimer::onTimer()
{
    const qint64 due = m_clock.nsecsElapsed() / (qint64(m_interval) * 1000000);
    qint64 ticks = due - m_ticksReported;
    const qint64 maxTicks = std::max<qint64>(2, maxCatchUpMs / m_interval);
    if (ticks > maxTicks) {
        m_ticksReported = due - maxTicks;
        ticks = maxTicks;
    }
    if (ticks <= 0)
        return;
    m_ticksReported += ticks;
    emit timeout(static_cast<int>(ticks));
}

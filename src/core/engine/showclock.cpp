#include "core/engine/showclock.h"

#include <memory>

#include <QElapsedTimer>

ShowClock::ShowClock(Source source) : m_source(std::move(source))
{
    if (!m_source) {
        auto steady = std::make_shared<QElapsedTimer>();
        steady->start();
        m_source = [steady] { return steady->elapsed(); };
    }
}

void ShowClock::start()
{
    if (m_running)
        return;
    m_running = true;
    m_startedAt = m_source();
}

void ShowClock::stop()
{
    if (!m_running)
        return;
    m_banked += m_source() - m_startedAt;
    m_running = false;
}

void ShowClock::reset()
{
    m_banked = 0;
    m_startedAt = m_source();
}

void ShowClock::set(qint64 elapsedMs, bool running)
{
    m_banked = elapsedMs;
    m_running = running;
    m_startedAt = m_source();
}

qint64 ShowClock::elapsedMs() const
{
    return m_banked + (m_running ? m_source() - m_startedAt : 0);
}

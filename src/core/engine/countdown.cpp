#include "core/engine/countdown.h"

#include <algorithm>

Countdown::Countdown(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &Countdown::check);
}

void Countdown::start(int seconds)
{
    begin(qint64(std::clamp(seconds, minSeconds, maxSeconds)) * 1000);
}

void Countdown::continueFrom(int seconds)
{
    begin(qint64(std::clamp(seconds, 1, maxSeconds)) * 1000);
}

void Countdown::begin(qint64 totalMs)
{
    m_totalMs = totalMs;
    m_active = true;
    m_clock.start();
    m_shown = secondsLeft();
    m_timer.start();
    emit changed(m_shown);
}

void Countdown::cancel()
{
    if (!m_active)
        return;
    m_active = false;
    m_timer.stop();
    emit cancelled();
}

int Countdown::secondsLeft() const
{
    if (!m_active)
        return 0;
    const qint64 left = m_totalMs - m_clock.elapsed();
    return left <= 0 ? 0 : int((left + 999) / 1000);
}

void Countdown::check()
{
    const int left = secondsLeft();
    if (left == 0) {
        m_active = false;
        m_timer.stop();
        emit finished();
        return;
    }
    if (left != m_shown) {
        m_shown = left;
        emit changed(left);
    }
}

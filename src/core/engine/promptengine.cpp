#include "core/engine/promptengine.h"

#include <algorithm>
#include <cstdlib>

#include <QTimer>

#include "core/engine/pagesurface.h"
#include "core/engine/ticktimer.h"
#include "core/engine/timereadout.h"

namespace {

// One step of a glide per display frame.
constexpr int glideFrameMs = 16;

int tickInterval(int speed)
{
    return PromptEngine::maxSpeed + 1 - std::abs(speed);
}

} // namespace

PromptEngine::PromptEngine(PageSurface &page, QObject *parent)
    : QObject(parent), m_page(page), m_timer(new TickTimer(this)), m_glideFrames(new QTimer(this))
{
    m_glideFrames->setInterval(glideFrameMs);
    m_glideFrames->setTimerType(Qt::PreciseTimer);
    connect(m_glideFrames, &QTimer::timeout, this, &PromptEngine::glideFrame);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(300);
    connect(m_timer, &TickTimer::timeout, this, &PromptEngine::tick);
    connect(m_timer, &TickTimer::changed, this, [this] {
        updateMotion();
        emit stateChanged();
    });
}

bool PromptEngine::isRunning() const
{
    return m_timer->isEnabled();
}

void PromptEngine::applySpeed()
{
    m_timer->setEnabled(m_speed != 0);
    m_timer->setInterval(tickInterval(m_speed));
    m_forward = m_speed > 0;
    updateMotion();
    emit stateChanged();
    emit speedApplied();
}

void PromptEngine::setSpeedValue(int speed)
{
    m_speed = std::clamp(speed, -maxSpeed, maxSpeed);
}

void PromptEngine::increaseSpeed()
{
    if (m_speed < maxSpeed)
        setSpeedValue(m_speed + speedStep);
}

void PromptEngine::decreaseSpeed()
{
    if (m_speed > -maxSpeed)
        setSpeedValue(m_speed - speedStep);
}

void PromptEngine::reverseDirection()
{
    m_speed = -m_speed;
}

void PromptEngine::coarseFaster()
{
    setCoarse(m_coarse + 1);
}

void PromptEngine::coarseSlower()
{
    setCoarse(m_coarse - 1);
}

void PromptEngine::setSpeed(int speed)
{
    setSpeedValue(speed);
    m_timer->setInterval(tickInterval(m_speed));
    m_forward = m_speed > 0;
    if (m_speed == 0)
        pause();
    else
        m_timer->setEnabled(true);
    updateMotion();
    emit stateChanged();
    emit speedApplied();
}

void PromptEngine::setCoarse(int coarse)
{
    coarse = std::clamp(coarse, minCoarse, maxCoarse);
    if (coarse == m_coarse)
        return;
    m_coarse = coarse;
    updateMotion();
    emit stateChanged();
}

void PromptEngine::pause()
{
    m_timer->setEnabled(false);
    emit stateChanged();
}

void PromptEngine::resume()
{
    m_timer->setEnabled(true);
    emit stateChanged();
}

void PromptEngine::togglePause()
{
    if (isRunning())
        pause();
    else
        resume();
}

void PromptEngine::reset()
{
    stopGlide();
    // The script starts at the bottom of a page turned upside down.
    if (m_upsideDown)
        m_page.scrollToBottom();
    else
        m_page.scrollToTop();
    pause();
}

void PromptEngine::jumpTo(int y)
{
    stopGlide();
    m_page.scrollTo(y);
    // A placement stops the page's own motion; a running page carries on from its new place.
    updateMotion();
}

void PromptEngine::glideTo(int y, int viewHeight)
{
    const int from = m_page.position();
    // The rate the page runs at now goes on through the glide and after it.
    const double running = isRunning() ? rate() : 0;
    m_glide.emplace(from < 0 ? y : from, y, running, viewHeight);
    m_glideClock.start();
    // The glide places the page on every frame; its own motion and the ticks wait meanwhile.
    updateMotion();
    m_page.scrollTo(m_glide->position(0));
    m_glideFrames->start();
}

int PromptEngine::destination() const
{
    return m_glide ? m_glide->target() : m_page.position();
}

void PromptEngine::stopGlide()
{
    // A placement or a reset wins over a glide under way: its later frames must not take the
    // page back to where the glide was bound.
    m_glide.reset();
    m_glideFrames->stop();
}

void PromptEngine::glideFrame()
{
    if (!m_glide) {
        m_glideFrames->stop();
        return;
    }
    const double elapsed = double(m_glideClock.nsecsElapsed()) / 1e6;
    m_page.scrollTo(m_glide->position(elapsed));
    if (!m_glide->finished(elapsed))
        return;
    m_glide.reset();
    m_glideFrames->stop();
    updateMotion();
    emit glideFinished();
}

void PromptEngine::setUpsideDown(bool upsideDown)
{
    if (upsideDown == m_upsideDown)
        return;
    m_upsideDown = upsideDown;
    updateMotion();
}

void PromptEngine::setSmooth(bool smooth)
{
    if (smooth == m_smooth)
        return;
    m_smooth = smooth;
    updateMotion();
}

int PromptEngine::direction() const
{
    // Forward moves down the page, or up it when the page is turned upside down here.
    return m_forward != m_upsideDown ? 1 : -1;
}

double PromptEngine::rate() const
{
    return direction() * m_coarse * 1000.0 / m_timer->interval();
}

void PromptEngine::updateMotion()
{
    const double pageRate = m_smooth && isRunning() && !m_glide ? rate() : 0;
    if (pageRate == m_page.smoothRate())
        return;
    // Told before the page changes its rate, so that a listener can still see where the page
    // stands by its old one.
    emit motionChanged(pageRate);
    m_page.setSmoothRate(pageRate);
}

qint32 PromptEngine::elapsedMs(int position, int pagebottom) const
{
    // Measured from the script's start, which lies at the bottom of a page turned upside down.
    const int distance = m_upsideDown ? pagebottom - position : position;
    return scrolltime(distance, m_coarse, m_timer->interval());
}

qint32 PromptEngine::remainingMs(int position, int pagebottom) const
{
    const int distance = m_upsideDown ? position : pagebottom - position;
    return scrolltime(distance, m_coarse, m_timer->interval());
}

void PromptEngine::tick(int ticks)
{
    if (!m_smooth && !m_glide)
        m_page.scrollBy(direction() * m_coarse * ticks);
    emit ticked();
}

#pragma once

#include <optional>

#include <QElapsedTimer>
#include <QObject>

#include "core/engine/glide.h"

class PageSurface;
class QTimer;
class TickTimer;

// The prompting engine: speed, direction, coarse step and run state, and how they move the page.
//
// The speed runs from -300 to 300; its magnitude sets the tick interval (301 - |speed| ms), its
// sign the direction, and 0 means stopped. Each tick moves the page by the coarse step (1 to 10
// pixels), down the page for a forward speed, or up it when the page is turned upside down here
// (the script then starts at the page's bottom). The engine is running exactly while its tick
// timer is enabled. With smooth motion the page moves on every display frame at the rate the
// ticks would average, and the ticks only mark time for the read-outs.
//
// It needs no window: whatever drives it (keys, toolbar, a remote control) calls its operations,
// and whatever shows it listens to its signals.
class PromptEngine : public QObject {
    Q_OBJECT
public:
    static constexpr int maxSpeed = 300;
    static constexpr int speedStep = 10;
    static constexpr int minCoarse = 1;
    static constexpr int maxCoarse = 10;

    explicit PromptEngine(PageSurface &page, QObject *parent = nullptr);

    int scrollspeed() const { return m_speed; }
    // The text travels toward the end of the script.
    bool scrollforward() const { return m_forward; }
    int coarse() const { return m_coarse; }
    bool isRunning() const;
    // The tick timer ("Timer1"): its interval is kept between runs.
    TickTimer *timer() const { return m_timer; }
    bool isSmooth() const { return m_smooth; }
    bool isUpsideDown() const { return m_upsideDown; }

    // Puts the speed and the coarse step in force: runs exactly when the speed is not 0, at its
    // interval and in its direction. So every speed operation resumes a paused display unless
    // the speed comes out 0.
    void applySpeed();
    // The speed operations change the speed or the coarse step only; the caller applies them once
    // it has made all its changes. A step beyond the limits stops at them.
    void increaseSpeed();
    void decreaseSpeed();
    void reverseDirection();
    void coarseFaster();
    void coarseSlower();
    // Sets the speed, kept within -300..300, as the speed slider does: 0 pauses, any other speed
    // runs.
    void setSpeed(int speed);
    // Sets the coarse step (kept within 1..10) for the next ticks, without applying the speed.
    void setCoarse(int coarse);

    void pause();
    // Runs at the present interval and direction, whatever the speed.
    void resume();
    void togglePause();
    // Puts the page at the script's start and pauses; the speed stays.
    void reset();
    // Puts the page at `y` and carries on as before.
    void jumpTo(int y);
    // Moves the page to `y` in a fraction of a second, on every display frame (see Glide), and
    // carries on from there as before: a running page arrives at the same speed. A jump further
    // than `viewHeight` leaps most of the way at once. A new jump replaces one still under way.
    void glideTo(int y, int viewHeight);
    bool isGliding() const { return m_glide.has_value(); }
    // Where the page is bound: the target of the glide under way, else where it stands. Jumps made
    // in quick succession go on from there, so two presses of a key go twice as far.
    int destination() const;

    // The page is turned upside down on this display: the script starts at its bottom.
    void setUpsideDown(bool upsideDown);
    void setSmooth(bool smooth);
    // Brings the page's smooth motion in line with the engine: a new document, or a page just
    // placed, stands still.
    void updateMotion();

    // How fast the page moves while running, in pixels per second (negative: toward its top).
    double rate() const;
    // The read-outs: how long the engine took to bring the script from its start to `position`,
    // and how long it will take from there to its end, at the present pace.
    qint32 elapsedMs(int position, int pagebottom) const;
    qint32 remainingMs(int position, int pagebottom) const;

    // One tick, or several that came due at once.
    void tick(int ticks);

signals:
    // The speed has been applied: the speed, the run state, the interval or the coarse step may
    // have changed.
    void speedApplied();
    // The run state, the speed or the coarse step has changed.
    void stateChanged();
    // The ticks have moved the page (or, in smooth motion, marked time).
    void ticked();
    // The page's smooth motion changed to `pixelsPerSecond` (0: stopped).
    void motionChanged(double pixelsPerSecond);
    // A glide has brought the page to its target.
    void glideFinished();

private:
    void setSpeedValue(int speed);
    int direction() const;
    void glideFrame();
    void stopGlide();

    PageSurface &m_page;
    TickTimer *m_timer;
    int m_speed = 0;
    bool m_forward = false;
    int m_coarse = minCoarse;
    bool m_smooth = false;
    bool m_upsideDown = false;
    std::optional<Glide> m_glide;
    QElapsedTimer m_glideClock;
    QTimer *m_glideFrames;
};

#pragma once

#include <functional>

#include <QtGlobal>

// The show clock: a free-running stopwatch for the whole show, started, stopped and reset by
// command and independent of the scrolling. It reads a monotonic clock (by default the system's
// steady clock through QElapsedTimer; tests give it one of their own), so changes of the wall
// clock never move it and a late timer event never loses time: the time shown is always read
// afresh, never added up from ticks.
class ShowClock {
public:
    using Source = std::function<qint64()>; // milliseconds on a monotonic clock

    explicit ShowClock(Source source = {});

    void start();
    void stop();
    void reset(); // to 0, keeping whether it runs
    // Shows `elapsedMs` from now on, running or not: as another prompter's clock shows it.
    void set(qint64 elapsedMs, bool running);
    bool isRunning() const { return m_running; }
    qint64 elapsedMs() const;

private:
    Source m_source;
    bool m_running = false;
    qint64 m_startedAt = 0; // when it last started, on the source's clock
    qint64 m_banked = 0;    // the time counted before it last started
};

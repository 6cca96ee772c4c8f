#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// A millisecond timer that loses no ticks. Timer events come late under load and cannot come
// more often than the event loop turns, so each event reports every tick that has come due
// since the timer was (re)started, measured on a monotonic clock. After a stall (the program
// blocked for longer than `maxCatchUpMs`, or two ticks) the ticks beyond that are dropped rather than applied
// in one jump.
class TickTimer : public QObject {
    Q_OBJECT
public:
    explicit TickTimer(QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    int interval() const { return m_interval; }
    // Enabling, or changing the interval, starts a new wait for the next tick; setting the same
    // value again changes nothing.
    void setEnabled(bool enabled);
    void setInterval(int ms);

    static constexpr int maxCatchUpMs = 250;

signals:
    // `ticks` >= 1: how many ticks came due since the last report.
    void timeout(int ticks);
    // The timer was enabled or disabled, or its interval changed.
    void changed();

private:
    void restart();
    void onTimer();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_ticksReported = 0;
    bool m_enabled = false;
    int m_interval = 300;
};

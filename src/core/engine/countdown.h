#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// The countdown into a take: whole seconds counted down on a monotonic clock, so that a late timer
// event never makes a second last longer or shows a number twice.
class Countdown : public QObject {
    Q_OBJECT
public:
    static constexpr int minSeconds = 3;
    static constexpr int maxSeconds = 10;

    explicit Countdown(QObject *parent = nullptr);

    // Counts down from `seconds` (kept within 3..10); a countdown under way starts again.
    void start(int seconds);
    // Counts on from `seconds` (1..10): a countdown taken over from another prompter may have a
    // second left.
    void continueFrom(int seconds);
    // Stops without finishing.
    void cancel();
    bool isActive() const { return m_active; }
    // The number to show now: the seconds still to go, rounded up.
    int secondsLeft() const;

signals:
    // The number to show has changed to `seconds` (also once at the start).
    void changed(int seconds);
    void finished();
    void cancelled();

private:
    void begin(qint64 totalMs);
    void check();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_totalMs = 0;
    int m_shown = 0;
    bool m_active = false;
};

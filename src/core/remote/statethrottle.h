#pragma once

#include <QtGlobal>

// Paces the state pushed to peers: every change goes out, but not more often than
// `maxPerSecond`; a change that comes sooner waits for its turn (and takes later changes with it).
class StateThrottle {
public:
    explicit StateThrottle(int maxPerSecond = 30) : m_intervalMs((1000 + maxPerSecond - 1) / maxPerSecond) {}

    // How long a change that comes at `now` must wait (0: it may go at once).
    qint64 wait(qint64 now) const;
    void sent(qint64 now) { m_lastSent = now; }

private:
    qint64 m_intervalMs;
    qint64 m_lastSent = -1000000;
};

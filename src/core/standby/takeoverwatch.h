#pragma once

#include <optional>

#include <QtGlobal>

#include "core/settings/standbysettings.h"

// When a standby takes the show over: once it has the show to carry on (a page and the
// prompter's state) and has then heard nothing from the prompter for longer than the takeover
// time. Checked every checkIntervalMs on a monotonic clock. A check that comes far later than
// that means this program stood still itself (a page being built, a busy machine): the prompter's
// messages that waited meanwhile are read before its silence counts, once.
class TakeoverWatch {
public:
    static constexpr int checkIntervalMs = 50;
    // A check this many intervals late means the standby stood still.
    static constexpr int lateChecks = 4;

    // Kept within the range the settings allow.
    void setTimeout(int timeoutMs);
    int timeout() const { return m_timeout; }
    // The standby has the show to carry on, or has it no more (a new prompter, not reached yet).
    void setReady(bool ready);
    bool isReady() const { return m_ready; }
    // A message came from the prompter at `now`.
    void heard(qint64 now);
    // Whether the standby takes over at `now`.
    bool due(qint64 now);
    // Milliseconds since the prompter was last heard; 0 when it never was.
    qint64 silence(qint64 now) const { return m_heard ? now - *m_heard : 0; }

private:
    int m_timeout = StandbySettings::defaultTakeoverMs;
    bool m_ready = false;
    std::optional<qint64> m_heard;
    std::optional<qint64> m_checked;
    bool m_deferred = false;
};

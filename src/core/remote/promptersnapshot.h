#pragma once

#include <optional>

#include <QJsonObject>
#include <QString>

#include "core/prompter/scriptposition.h"
#include "core/settings/readingaidsettings.h"

// The prompter's state as remote controls and networked displays see it.
struct PrompterSnapshot {
    int position = 0;   // the page's scroll position, pixels
    int pageBottom = 0; // the largest position the page can take
    double time = 0;    // when the page stood at `position`, milliseconds since the epoch
    int speed = 0;
    int coarse = 1;
    bool running = false;
    double smoothRate = 0; // pixels per second the page moves by itself (0: ticks, or at rest)
    double rate = 0;       // pixels per second the page moves while running
    QString scriptPath;
    int queuePosition = 0;
    int queueLength = 0;
    qint32 elapsedMs = 0;
    qint32 remainingMs = 0;
    bool mirror = false;
    bool rotate = false;
    bool upsideDown = false; // the operator's page is turned: its script starts at its bottom
    bool dualDisplay = false;
    bool blackout = false;
    bool voiceFollowing = false; // the page follows the speaker's voice
    // "prompter", or "standby": a standby mirrors a prompter and takes over when it stops.
    QString role = QStringLiteral("prompter");
    int layoutWidth = 0;     // the width the page breaks its lines at (0: unknown)
    bool continuous = false; // the queue is one continuous page, story after story
    int storyIndex = -1;     // the story on air (at the reading line), from 0; -1: none
    QString storyName;
    int storyCount = 0;                // the stories of the continuous page
    std::optional<qint64> overUnderMs; // how long the show runs over its planned end; none unplanned
    std::optional<ReadingAidSettings> readingAids; // the reading aids as shown; none: not told
    QString talentMessage;                         // shown big to the talent; empty: none
    std::optional<qint64> showClockMs;             // the show clock's time; none: not told
    bool showClockRunning = false;
    int countdownLeft = 0; // seconds left of the countdown into a take; 0: none counting
    // A standby's report: whose standby it is and how far from its page ("of", "connected",
    // "behindMs", "errorPx", "takeoverMs", why it cannot be reached: "problem"), or when and how it took the
    // show over ("tookOver"); empty for none.
    QJsonObject standby;

    bool operator==(const PrompterSnapshot &) const = default;
};

// The snapshot as a state message: {"type": "state", ...}.
QJsonObject snapshotmessage(const PrompterSnapshot &state);

// A state message as a snapshot, as a networked display reads it from its leader; nothing when
// it is not one or a number in it could not be a prompter's (negative positions, a position past
// the page's bottom, rates beyond any speed), or its reading aids or talent message are not ones
// a prompter shows (a value out of range, a message longer than a remote may send).
std::optional<PrompterSnapshot> snapshotfrommessage(const QJsonObject &message);

// The motion a prompter's state tells, in pixels of the script (see scriptposition.h): where its
// page stood at the state's time and how fast it moved on (0 while it rests).
ScriptMotion snapshotmotion(const PrompterSnapshot &state);

#pragma once

#include "core/engine/readingcue.h"

class QSettings;

// The reading aids' settings kept between runs (group "ReadingAids"): how markers show and how far
// the line jumps go, the reading line, the countdown and the clocks.
struct ReadingAidSettings {
    bool hideMarkers = false; // markers take no room on the page (else: shown in a quieter style)
    int jumpLines = 5;        // lines moved by one "back" or "forward" jump
    static constexpr int minJumpLines = 1;
    static constexpr int maxJumpLines = 50;
    ReadingLine readingLine;
    bool countdown = false; // counts down into a run that starts at the script's start
    int countdownSeconds = 5;
    bool clocksOnTalent = false; // the show clock and the time of day on the talent display
    int wordsPerMinute = 180;    // the reading pace of the reading-time estimates
    bool flashMessages = false;  // a message for the talent blinks

    bool operator==(const ReadingAidSettings &other) const = default;
};

// The stored values; a value missing or out of its range keeps its default.
ReadingAidSettings readreadingaids(QSettings &settings);
void writereadingaids(QSettings &settings, const ReadingAidSettings &values);

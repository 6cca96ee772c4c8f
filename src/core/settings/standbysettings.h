#pragma once

class QSettings;

// A standby's settings, kept under the group "Standby": how long its prompter may be silent
// before it takes the show over.
struct StandbySettings {
    static constexpr int defaultTakeoverMs = 500;
    static constexpr int minTakeoverMs = 100;
    static constexpr int maxTakeoverMs = 10000;

    int takeoverMs = defaultTakeoverMs; // "TakeoverMs"

    bool operator==(const StandbySettings &other) const = default;
};

// A value that is missing or outside its range keeps its default.
StandbySettings readstandbysettings(QSettings &settings);
void writestandbysettings(QSettings &settings, const StandbySettings &values);

#pragma once

class QSettings;

// The continuous queue's settings, kept under the group "Rundown": whether the queue is one
// continuous page, apart for the operator's queue of script files (stepped one script at a time
// unless chosen) and for the newsroom's running order (one page unless chosen otherwise).
struct RundownSettings {
    bool continuousQueue = false;       // "ContinuousQueue"
    bool continuousRunningOrder = true; // "ContinuousRunningOrder"

    bool operator==(const RundownSettings &other) const = default;
};

RundownSettings readrundownsettings(QSettings &settings);
void writerundownsettings(QSettings &settings, const RundownSettings &values);

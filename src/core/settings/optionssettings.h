#pragma once

#include "core/settings/windowplacement.h"

class QSettings;

// What the options window keeps between runs, under the group "Form4".
struct OptionsSettings {
    WindowPlacement placement;
    int allcaps = 0;          // "allcaps_ItemIndex", 0 or 1
    int mainformlocation = 0; // "mainformlocation_ItemIndex", 0 or 1
    int smoothscroll = 0;     // "smoothscroll_ItemIndex", 0 or 1
    int reloadscript = 0;     // "reloadscript_ItemIndex", 0 or 1: reload a script changed on disk

    bool operator==(const OptionsSettings &other) const = default;
};

// Writes the group: "FormVersion", "ShowCmd" and the placement, then the options.
void writeoptionssettings(QSettings &settings, const OptionsSettings &values, int pixelsPerInch);
// Reads the group over `values` as readpromptersettings() does; the show state is read as well.
bool readoptionssettings(QSettings &settings, OptionsSettings &values, int pixelsPerInch);

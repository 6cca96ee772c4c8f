#pragma once

#include <QPalette>

#include "core/platform/fontspec.h"
#include "core/settings/windowplacement.h"

class QSettings;

// What the prompter window keeps between runs, under the group "Form1".
struct PrompterSettings {
    WindowPlacement placement;
    FontSpec font;          // the display font, group "FontDialog1_Font"
    int coarseStep = 1;     // "speedmod_Value", 1..10
    int tickInterval = 300; // "Timer1_Interval", 1..301 ms
    QString outputScreen;   // "outputscreen_Name": the screen the output window last stood on

    bool operator==(const PrompterSettings &other) const = default;
};

// Writes the group: "FormVersion", the placement, the font, the coarse step, the timer interval,
// the output window's screen.
void writepromptersettings(QSettings &settings, const PrompterSettings &values, int pixelsPerInch);
// Reads the group over `values`, which hold the window's present values: what is missing, cannot
// be read or lies outside its range keeps its present value. Nothing is read when the stored
// "FormVersion" is negative. True when the stored placement is to be applied.
bool readpromptersettings(QSettings &settings, PrompterSettings &values, int pixelsPerInch,
                          const QPalette &palette);

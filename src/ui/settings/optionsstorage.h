#pragma once

#include "core/settings/optionssettings.h"

// The options window's stored settings (group "Form4"): its placement and show state, and the
// options "Capitalize Script", "Vantell Placement" and "Smooth Scrolling".

// The stored values over `current` (the window's present values). `placementApplies` tells
// whether the stored placement is to be applied.
OptionsSettings loadOptionsSettings(const OptionsSettings &current, bool *placementApplies);
void storeOptionsSettings(const OptionsSettings &values);

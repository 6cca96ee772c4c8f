#pragma once

#include "core/settings/promptersettings.h"

// The prompter window's stored settings (group "Form1"): its placement, the display font, the
// coarse step, the scroll timer's interval and the output window's screen.

// The stored values over `current` (the window's present values). `placementApplies` tells
// whether the stored placement is to be applied.
PrompterSettings loadPrompterSettings(const PrompterSettings &current, bool *placementApplies);
void storePrompterSettings(const PrompterSettings &values);

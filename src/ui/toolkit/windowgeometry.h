#pragma once

#include "core/settings/windowplacement.h"

class QWidget;

// Between a window and its placement in the settings store. The normal rectangle is the window's
// restored geometry (without the frame); the show state is its window state. There are no icon
// positions for minimized windows on these desktops (-1, -1), and the maximized position is the
// window's place while it is maximized.
WindowPlacement placementOf(const QWidget *window);
// Applies the stored rectangle when `positions` is true and the rectangle lies on a screen, and
// the show state when `showState` is true.
void applyPlacement(QWidget *window, const WindowPlacement &placement, bool positions, bool showState);

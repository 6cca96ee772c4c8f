#pragma once

#include <functional>

#include <QString>

#include "settings/windowplacement.h"

class QSettings;
class QWidget;

// Between a window and its placement in the settings store. The normal rectangle is the window's
// restored geometry (without the frame); the show state is its window state. There are no icon
// positions for minimized windows on these desktops (-1, -1), and the maximized position is the
// window's place while it is maximized.
WindowPlacement placementOf(const QWidget *window);
// Applies the stored rectangle when `positions` is true and the rectangle lies on a screen, and
// the show state when `showState` is true.
void applyPlacement(QWidget *window, const WindowPlacement &placement, bool positions, bool showState);

// The primary screen's logical pixels per inch.
int screenPixelsPerInch();

// Writes one window's group with `write` and reports a file that cannot be written, once for a
// run of failed writes: the write of the other window and everything else go on.
void storeSettings(const QString &group, const std::function<void(QSettings &)> &write);

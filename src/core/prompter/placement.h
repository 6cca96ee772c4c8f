#pragma once

#include <QRect>

// Where the taskbar (the screen's reserved strip) lies.
struct TaskbarPosition {
    enum Edge { Left = 0, Top = 1, Right = 2, Bottom = 3, None = -1 };
    Edge edge = None;
    QRect rect; // screen pixels
};

// The prompter's strip across the screen, clear of the taskbar: at the top (250 high) or at the
// bottom (its height kept). `optionsExist` is false while the options window is not created yet,
// which places the window at the top. `current` is the window's present geometry.
QRect stripgeometry(const QSize &screen, const TaskbarPosition &taskbar, bool dockBottom, bool optionsExist,
                    const QRect &current);

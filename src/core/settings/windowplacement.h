#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

class QSettings;

// A window's placement as the settings store keeps it: flags, show state, the positions the
// window takes when minimized and when maximized (-1, -1 when the desktop decides), and the
// rectangle of the normal (restored) window.
struct WindowPlacement {
    enum ShowCmd { Hidden = 0, Normal = 1, Minimized = 2, Maximized = 3 };
    // Flag: a minimized window comes back maximized.
    static constexpr int restoreToMaximized = 0x2;

    int flags = 0;
    int showCmd = Normal;
    QPoint minPosition{-1, -1};
    QPoint maxPosition{-1, -1};
    QRect normal;

    bool operator==(const WindowPlacement &other) const = default;
};

// "MinMaxPos": "x,y,x,y" of the minimized and the maximized position.
QString minmaxpostext(const WindowPlacement &placement);
// "NormPos": "left,top,right,bottom", right and bottom just outside the rectangle.
QString normpostext(const QRect &rect);
// Reads "MinMaxPos" into `placement`; a number that cannot be read counts as 0.
void readminmaxpos(const QString &text, WindowPlacement &placement);
// Reads "NormPos"; a number that cannot be read keeps the edge of `current`.
QRect readnormpos(const QString &text, const QRect &current);
// The show state a stored "ShowCmd" asks for: normal, minimized or maximized.
int showcmdstate(qint64 showCmd);

// Writes "Flags", "PixelsPerInch", "MinMaxPos" and "NormPos" (and "ShowCmd" first, when asked
// for) in the current group.
void writeplacement(QSettings &settings, const WindowPlacement &placement, int pixelsPerInch,
                    bool withShowCmd);

// The placement stored in the current group, read over `current`.
struct RestoredPlacement {
    WindowPlacement placement;
    // The stored positions and rectangle are to be applied: they were taken at this pixel density
    // and describe a rectangle.
    bool applyPositions = false;
};
RestoredPlacement readplacement(QSettings &settings, const WindowPlacement &current, int pixelsPerInch,
                                bool withShowCmd);

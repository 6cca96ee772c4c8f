#include "ui/toolkit/windowgeometry.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
bool onSomeScreen(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.cbegin(), screens.cend(),
                       [&rect](const QScreen *screen) { return screen->geometry().intersects(rect); });
}
} // namespace

WindowPlacement placementOf(const QWidget *window)
{
    WindowPlacement placement;
    const Qt::WindowStates state = window->windowState();
    if (state & Qt::WindowMinimized)
        placement.showCmd = WindowPlacement::Minimized;
    else if (state & Qt::WindowMaximized)
        placement.showCmd = WindowPlacement::Maximized;
    if ((state & Qt::WindowMinimized) && (state & Qt::WindowMaximized))
        placement.flags |= WindowPlacement::restoreToMaximized;
    if (state & Qt::WindowMaximized)
        placement.maxPosition = window->geometry().topLeft();
    placement.normal = window->normalGeometry();
    if (placement.normal.isEmpty())
        placement.normal = window->geometry();
    return placement;
}

void applyPlacement(QWidget *window, const WindowPlacement &placement, bool positions, bool showState)
{
    // A rectangle from a screen that is no longer there would put the window out of sight.
    if (positions && onSomeScreen(placement.normal))
        window->setGeometry(placement.normal);
    if (!showState)
        return;
    Qt::WindowStates state = Qt::WindowNoState;
    if (placement.showCmd == WindowPlacement::Maximized)
        state = Qt::WindowMaximized;
    else if (placement.showCmd == WindowPlacement::Minimized)
        state = (placement.flags & WindowPlacement::restoreToMaximized)
                    ? Qt::WindowMinimized | Qt::WindowMaximized
                    : Qt::WindowMinimized;
    window->setWindowState(state);
}

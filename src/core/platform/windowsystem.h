#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

// Which of Qt's window systems the program asks for, from its environment; empty leaves Qt's own
// choice. A Wayland compositor lets no window place itself, so the prompter could not stand as a
// strip at the top or bottom of the screen: where the session also offers X (XWayland, DISPLAY
// set), the program runs there. A window system named by the user (QT_QPA_PLATFORM) is kept.
QByteArray chosenWindowSystem(const QProcessEnvironment &environment);

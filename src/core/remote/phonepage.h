#pragma once

#include <QByteArray>

// The phone remote: one page of big buttons, a speed slider and the prompter's state, in the
// language of the program, that talks to the control API over a WebSocket.
QByteArray phonepage();

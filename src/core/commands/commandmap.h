#pragma once

#include <QList>
#include <QString>

#include "core/remote/remotecommand.h"

// Where a command reaches the prompter from. The source decides only what the operator's own
// controls do besides (the window's labels repaint at once, the page takes the focus back).
enum class CommandSource { Key, Clicker, Toolbar, Menu, Mouse, Remote };

// One operator command and every way it is bound. This table is the one place a command, its
// key, a clicker's button, its toolbar image, its menu entry or a click on the page is added:
// the windows bind their controls from it, the remote controls (the control API, OSC, MIDI) find
// its name and argument in it, and the help page's key table is printed from it.
struct CommandBinding {
    const char *name = nullptr; // as the control API, OSC and MIDI spell it
    RemoteAction action = RemoteAction::Pause;
    RemoteArgument argument = RemoteArgument::None;
    int minimum = 0; // the range of a number
    int maximum = 0;
    bool remote = true;               // reachable by remote controls; else the operator's own only
    int key = 0;                      // the prompter's key (a Qt::Key), 0 for none
    int clickerKey = 0;               // the key a presenter's clicker sends for it, 0 for none
    const char *toolImage = nullptr;  // the object name of the toolbar image that carries it
    const char *menuEntry = nullptr;  // the object name of the menu entry that carries it
    int mouseButton = 0;              // a click on the page (a Qt::MouseButton), 0 for none
    bool keepsVoiceFollowing = false; // leaves the page to voice following
    const char *help = nullptr;       // what the key does, for the help page's key table
};

const QList<CommandBinding> &commandbindings();
// The command with that name, that action, that key or clicker key, or that click; null for none.
const CommandBinding *commandnamed(const QString &name);
const CommandBinding &commandfor(RemoteAction action);
const CommandBinding *commandforkey(int key);
const CommandBinding *commandforclicker(int key);
const CommandBinding *commandforclick(int mouseButton);

// Whether the command changes the speed or the direction: a key for it applies the speed after
// it, where other keys apply the speed before they act.
bool changesspeed(RemoteAction action);

// The key's name as the help page writes it ("W", "F7", "Page Down").
QString keyname(int key);
// The rows of the help page's key tables: the prompter's keys, and a clicker's.
QString keytablerows();
QString clickertablerows();

#pragma once

#include <memory>

#include <QTemporaryDir>

#include "testsupport/scripteddialogs.h"

class TForm1;

// What a window test needs around it: a private settings directory, scripted dialogs, and the
// program's windows created as at start (and destroyed again).
class UiTestEnvironment {
public:
    UiTestEnvironment();
    ~UiTestEnvironment();

    // Creates the windows, shows the prompter and waits until its first page has loaded.
    TForm1 *start();
    void stop();

    ScriptedDialogs dialogs;
    QTemporaryDir configDir;
};

// Waits until the prompter's browser has completed the page it is loading; false on timeout.
bool waitForPage(TForm1 *form, int timeoutMs = 30000);

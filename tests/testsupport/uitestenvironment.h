#pragma once

#include <functional>
#include <memory>

#include <QTemporaryDir>

#include "core/engine/displaymodes.h"
#include "testsupport/scripteddialogs.h"

class TForm1;

// What a window test needs around it: a private settings directory, scripted dialogs, and the
// program's windows created as at start (and destroyed again).
class UiTestEnvironment {
public:
    UiTestEnvironment();
    ~UiTestEnvironment();

    // Creates the windows, shows the prompter and waits until its first page is loaded and measured.
    TForm1 *start();
    void stop();

    ScriptedDialogs dialogs;
    QTemporaryDir configDir;

private:
    // After every page build, the text of a script page must stand out from the page: text in the
    // page's background colour fails the test that is running.
    static void checkEveryPageBuilt(TForm1 *form);
};

// Runs a scroll request of the browser and waits for the page's answer; false on timeout.
bool settle(const std::function<void(std::function<void()>)> &request, int timeoutMs = 10000);

// Rebuilds the prompter's page and waits until it is loaded and measured; false on timeout.
bool reloadAndWait(TForm1 *form, int timeoutMs = 30000);

// Changes the prompter's display options as confirming the options window would, without its
// side effects (no page is rebuilt).
void changeModes(TForm1 *form, const std::function<void(DisplayModes &)> &change);

#include "ui/app/commandlinestart.h"

#include "core/app/commandline.h"
#include "ui/app/windows.h"
#include "ui/prompter/tform1.h"
#include "core/remote/remoteserver.h"
#include "ui/remote/remotecontrol.h"
#include "ui/standby/standby.h"
#include "ui/options/tform4.h"

void openFromCommandLine(const CommandLine &commandLine, const Windows &windows)
{
    TForm1 *prompter = windows.Form1;
    // A standby answers on its own control API from the start.
    if (commandLine.remoteControl() || commandLine.port() || !commandLine.standbyOf().isEmpty())
        windows.remote->enableForThisRun(commandLine.port());
    if (!commandLine.standbyOf().isEmpty()) {
        prompter->standby().standBy(commandLine.standbyOf(), windows.remote->server()->port());
        return;
    }
    if (commandLine.startsQueue()) {
        windows.Form4->setQueue(commandLine.queueEntries());
        if (!commandLine.queueEntries().isEmpty()) {
            prompter->promptstate.queuepos = 0;
            prompter->reportingErrors([prompter] { prompter->loadqueueentry(0); });
        }
        prompter->dopause();
    } else if (!commandLine.scriptPath().isEmpty()) {
        const QString path = commandLine.scriptPath();
        prompter->reportingErrors([prompter, &path] { prompter->openscript(path); });
    }
}

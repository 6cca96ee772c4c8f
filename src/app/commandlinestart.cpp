#include "app/commandlinestart.h"

#include "app/commandline.h"
#include "app/windows.h"
#include "prompter/tform1.h"
#include "queue/remotecontrol.h"
#include "queue/tform4.h"

void openFromCommandLine(const CommandLine &commandLine)
{
    TForm1 *prompter = windows().Form1;
    if (commandLine.remoteControl())
        windows().remote->enableForThisRun();
    if (commandLine.startsQueue()) {
        windows().Form4->setQueue(commandLine.queueEntries());
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

#pragma once

class CommandLine;
struct Windows;

// Opens in the prompter what the command line names: a script as the menu's open command opens
// it (one that cannot be read shows the message that command shows), or a queue, started as Ok
// in the options window starts it. Call once the windows exist and the prompter is shown.
void openFromCommandLine(const CommandLine &commandLine, const Windows &windows);

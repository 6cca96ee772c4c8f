#pragma once

class TForm1;

// Ends the program as its Exit command does when it is asked to from outside: by SIGTERM (a
// shutdown, `kill`), SIGINT (Ctrl+C), SIGHUP (a closed terminal), or the desktop session's end,
// which first asks for what must be kept. Settings are written and the quick editor's unsaved
// text is kept for recovery. Lasts as long as `prompter`.
void endProgramOnRequest(TForm1 *prompter);

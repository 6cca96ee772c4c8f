#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class Browser;
class TForm1;

// Helpers for the benchmarks that drive the real prompter window (the application object must
// exist first).
namespace bench {

// Creates the program's windows, shows the prompter and waits for its first page; nullptr when
// it does not come.
TForm1 *startPrompter();

// Makes `lines` the prompter's script and waits until its page is loaded and measured.
bool showScript(TForm1 *form, const QStringList &lines);

// Shows a script of `count` numbered lines ("Line N of a long script.") and waits as
// showScript does.
bool showNumberedScript(TForm1 *form, int count);

// Sets up the translation, starts the prompter and shows a numbered script of `count` lines;
// nullptr when a step does not finish.
TForm1 *promptNumberedScript(int count);

// How long a benchmark scrolls, in seconds: BENCH_SECONDS or `fallback`.
int secondsToRun(int fallback);

// Runs a script in the page (the application's world) and returns its answer.
QVariant evaluate(Browser *browser, const QString &script);

} // namespace bench

// The show clock against the wall clock while the page scrolls at top speed: the drift, as a share
// of the time run, over BENCH_SECONDS (10 minutes unless told).
#include <cmath>

#include <QDateTime>

#include "testsupport/programwindows.h"
#include "core/engine/promptengine.h"
#include "core/engine/showclock.h"
#include "ui/prompter/tform1.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"
#include "ui/toolkit/application.h"
#include "testsupport/features.h"
#include "ui/readingaids/showclocks.h"

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    TForm1 *form = bench::promptNumberedScript(40000);
    if (!form)
        return 1;
    const int seconds = bench::secondsToRun(600);
    form->engine->setSpeed(300);
    form->adjustspeed();
    feature<ShowClocks>(form).reset();
    const qint64 wallStart = QDateTime::currentMSecsSinceEpoch();
    feature<ShowClocks>(form).start();
    runEventsFor(seconds * 1000);
    const qint64 shown = feature<ShowClocks>(form).clock().elapsedMs();
    const qint64 wall = QDateTime::currentMSecsSinceEpoch() - wallStart;
    form->dopause();
    const double drift = wall > 0 ? std::abs(double(shown - wall)) * 100.0 / double(wall) : 0;
    bench::report(QStringLiteral("show_clock_drift"), drift, QStringLiteral("%"),
                  {{QStringLiteral("seconds"), seconds},
                   {QStringLiteral("speed"), 300},
                   {QStringLiteral("show_clock_ms"), double(shown)},
                   {QStringLiteral("wall_clock_ms"), double(wall)}});
    destroyWindows();
    return 0;
}

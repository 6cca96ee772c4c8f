// The talent's output window against the prompter's page, on two offscreen screens, scrolling at
// speed 300 in both scroll modes:
// - the difference between both pages' script positions once the motion has come to rest, at
//   checkpoints spread over the run (where the output stands once each tick has been followed);
// - the same difference on every frame while they move (what the talent sees against what the
//   operator sees at the same moment), as a median and a 95th percentile, in pixels;
// - the CPU per second of scrolling (this process and the browser's) with the output window open,
//   over the CPU with the prompter alone;
// - how long the output page runs on after the operator pauses.
#include <algorithm>
#include <cmath>
#include <memory>

#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryFile>
#include <QTest>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/talentdisplay/outputwindow.h"
#include "core/prompter/scriptposition.h"
#include "ui/prompter/tform1.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "support/framesampling.h"
#include "testsupport/eventwait.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"

namespace {

constexpr int speed = 300;
constexpr int coarse = 1; // 1,000 px/s at speed 300

bool answered(Browser *page)
{
    auto done = std::make_shared<bool>(false); // the answer may come after the wait has given up
    page->queryPosition([done] { *done = true; });
    return runEventsUntil([&done] { return *done; }, 5000);
}

double prompterPlace(const TForm1 *form)
{
    return scriptposition(form->wb1->scrollPosition(),
                          ScriptPage{form->wb1->scrollBottom(), form->upsideDownLocally(), 1.0});
}

// Pauses, waits until both pages rest and tells how far apart they stand in the script.
double restingDifference(TForm1 *form)
{
    form->dopause();
    form->engine->updateMotion();
    double difference = -1;
    for (int round = 0; round < 20; ++round) {
        runEventsFor(50);
        if (!answered(form->wb1) || !answered(form->outputwindow()->outputpage))
            continue;
        difference = std::abs(form->outputwindow()->scriptPosition() - prompterPlace(form));
        if (difference < 0.5)
            break;
    }
    return difference;
}

void startScrolling(TForm1 *form, bool smooth)
{
    form->dopause();
    DisplayModes modes = form->displaymodes;
    modes.smoothScrolling = smooth;
    form->setDisplayModes(modes);
    auto placed = std::make_shared<bool>(false);
    form->wb1->scrollToTop([placed] { *placed = true; });
    (void)runEventsUntil([&placed] { return *placed; }, 5000);
    form->speedmod->setValue(coarse);
    form->engine->setSpeed(speed);
    form->adjustspeed();
}

double cpuPerSecond(TForm1 *form, bool smooth, int seconds)
{
    startScrolling(form, smooth);
    runEventsFor(500);
    const double before = bench::cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    runEventsFor(seconds * 1000);
    const double cpu = (bench::cpuSeconds() - before) / (clock.nsecsElapsed() / 1e9);
    form->dopause();
    return cpu;
}

void measurePositions(TForm1 *form, bool smooth, int seconds, const QJsonObject &inputs)
{
    constexpr int checkpoints = 10;
    QList<double> resting;
    QList<double> live;
    for (int checkpoint = 0; checkpoint < checkpoints; ++checkpoint) {
        if (checkpoint == 0)
            startScrolling(form, smooth);
        else
            form->resume();
        runEventsFor(300);
        bench::startFrameSampling(form->wb1);
        bench::startFrameSampling(form->outputwindow()->outputpage);
        runEventsFor(seconds * 1000 / checkpoints);
        const QList<bench::FrameSample> prompter = bench::stopFrameSampling(form->wb1);
        live << bench::frameDifferences(prompter, bench::stopFrameSampling(form->outputwindow()->outputpage));
        resting << restingDifference(form);
    }
    bench::report(QStringLiteral("resting_difference_max"), bench::percentile(resting, 1.0),
                  QStringLiteral("px"), inputs);
    bench::report(QStringLiteral("resting_difference_median"), bench::percentile(resting, 0.5),
                  QStringLiteral("px"), inputs);
    bench::report(QStringLiteral("frame_difference_median"), bench::percentile(live, 0.5),
                  QStringLiteral("px"), inputs);
    bench::report(QStringLiteral("frame_difference_p95"), bench::percentile(live, 0.95), QStringLiteral("px"),
                  inputs);
}

// How long the output page runs on after the operator pauses: from the pause to the output's last
// frame that still moved, over a few pauses.
void measureRunOnAfterPause(TForm1 *form, bool smooth, const QJsonObject &inputs)
{
    QList<double> runOn;
    for (int round = 0; round < 5; ++round) {
        startScrolling(form, smooth);
        runEventsFor(1500);
        bench::startFrameSampling(form->outputwindow()->outputpage);
        runEventsFor(500);
        const double pausedAt = double(QDateTime::currentMSecsSinceEpoch());
        form->dopause();
        runEventsFor(3000);
        const QList<bench::FrameSample> output = bench::stopFrameSampling(form->outputwindow()->outputpage);
        if (output.isEmpty())
            continue;
        double lastMove = pausedAt;
        for (qsizetype i = 1; i < output.size(); ++i)
            if (std::abs(output.at(i).script - output.at(i - 1).script) > 0.01)
                lastMove = output.at(i).time;
        runOn << std::max(0.0, lastMove - pausedAt);
    }
    bench::report(QStringLiteral("output_runs_on_after_pause_median"), bench::percentile(runOn, 0.5),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("output_runs_on_after_pause_max"), bench::percentile(runOn, 1.0),
                  QStringLiteral("ms"), inputs);
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryFile screens;
    if (!bench::useTwoScreens(screens))
        return 1;
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    TForm1 *form = bench::promptNumberedScript(12000);
    if (!form)
        return 1;

    const int seconds = bench::secondsToRun(60);
    for (bool smooth : {false, true}) {
        const QJsonObject inputs{
            {QStringLiteral("mode"), smooth ? QStringLiteral("smooth") : QStringLiteral("ticks")},
            {QStringLiteral("speed"), speed},
            {QStringLiteral("coarse"), coarse},
            {QStringLiteral("seconds"), seconds}};
        if (form->outputwindow())
            form->Image3MouseUp();
        const double alone = cpuPerSecond(form, smooth, seconds / 2);
        form->Image3MouseUp();
        if (!form->outputwindow() ||
            !runEventsUntil([form] { return form->outputwindow()->outputpage->isDocumentComplete(); }, 60000))
            return 1;
        const double both = cpuPerSecond(form, smooth, seconds / 2);
        bench::report(QStringLiteral("cpu_alone"), alone, QStringLiteral("s/s"), inputs);
        bench::report(QStringLiteral("cpu_with_output"), both, QStringLiteral("s/s"), inputs);
        bench::report(QStringLiteral("cpu_ratio"), alone > 0 ? both / alone : 0, QStringLiteral("ratio"),
                      inputs);
        measurePositions(form, smooth, seconds, inputs);
        measureRunOnAfterPause(form, smooth, inputs);
    }
    destroyWindows();
    return 0;
}

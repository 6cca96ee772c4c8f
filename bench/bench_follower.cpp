// A networked talent display (vantell --follow) against its prompter on one machine, through a
// proxy that delays every byte by 20 ms each way: how far apart the two pages stand in the
// script at rest (after jumps and pauses) and on every frame while the prompter scrolls at
// 1,000 px/s (speed 300, coarse 1, smooth), as medians and 95th percentiles, in pixels.
#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryFile>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/talentdisplay/networkdisplay.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/prompterremote.h"
#include "core/prompter/scriptposition.h"
#include "ui/prompter/tform1.h"
#include "core/remote/followerlink.h"
#include "core/remote/remoteserver.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "support/delayproxy.h"
#include "support/framesampling.h"
#include "testsupport/eventwait.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"
#include "testsupport/features.h"
#include "ui/readingaids/markerjumps.h"

namespace {

constexpr int networkDelayMs = 20;

double prompterPlace(const TForm1 *form)
{
    return scriptposition(form->wb1->scrollPosition(),
                          ScriptPage{form->wb1->scrollBottom(), form->upsideDownLocally(), 1.0});
}

bool answered(Browser *page)
{
    auto done = std::make_shared<bool>(false);
    page->queryPosition([done] { *done = true; });
    return runEventsUntil([&done] { return *done; }, 5000);
}

// Both pages at rest: how far apart they stand once the follower has heard the last state.
double restingDifference(TForm1 *form, OutputWindow *follower)
{
    double difference = -1;
    for (int round = 0; round < 30; ++round) {
        runEventsFor(50);
        if (!answered(form->wb1) || !answered(follower->outputpage))
            continue;
        difference = std::abs(follower->scriptPosition() - prompterPlace(form));
        if (difference < 0.5 && round > 4)
            break;
    }
    return difference;
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
    PrompterRemote &remote = form->remoteTarget();
    RemoteServer server(remote);
    QObject::connect(&remote, &PrompterRemote::stateChanged, &server, &RemoteServer::stateChanged);
    QObject::connect(&remote, &PrompterRemote::scriptChanged, &server, &RemoteServer::scriptChanged);
    if (!server.start(RemoteServerSettings{0, false, {}}))
        return 1;
    DelayProxy proxy(server.port(), networkDelayMs);
    const std::optional<QUrl> leader = leaderaddress(QStringLiteral("127.0.0.1:%1").arg(proxy.port()));
    NetworkDisplay display({*leader}, false, false);
    display.open(QGuiApplication::screens().constLast());
    OutputWindow *follower = display.window();
    if (!runEventsUntil(
            [&] {
                return follower->outputpage->isDocumentComplete() && display.link()->clockOffset().known();
            },
            60000))
        return 1;

    const int seconds = bench::secondsToRun(60);
    const QJsonObject inputs{{QStringLiteral("delay_ms"), networkDelayMs},
                             {QStringLiteral("speed"), 300},
                             {QStringLiteral("coarse"), 1},
                             {QStringLiteral("seconds"), seconds}};
    DisplayModes modes = form->displaymodes;
    modes.smoothScrolling = true;
    form->setDisplayModes(modes);
    form->speedmod->setValue(1);
    form->engine->setSpeed(300);
    form->adjustspeed();

    constexpr int checkpoints = 10;
    QList<double> resting, live;
    for (int checkpoint = 0; checkpoint < checkpoints; ++checkpoint) {
        form->resume();
        runEventsFor(500);
        bench::startFrameSampling(form->wb1);
        bench::startFrameSampling(follower->outputpage);
        runEventsFor(seconds * 1000 / checkpoints);
        const QList<bench::FrameSample> leaderFrames = bench::stopFrameSampling(form->wb1);
        live << bench::frameDifferences(leaderFrames, bench::stopFrameSampling(follower->outputpage));
        form->dopause();
        resting << restingDifference(form, follower);
        feature<MarkerJumps>(form).jumpLines(40);
        runEventsFor(600);
        resting << restingDifference(form, follower);
    }
    bench::report(QStringLiteral("follower_resting_difference_median"), bench::percentile(resting, 0.5),
                  QStringLiteral("px"), inputs);
    bench::report(QStringLiteral("follower_resting_difference_max"), bench::percentile(resting, 1.0),
                  QStringLiteral("px"), inputs);
    bench::report(QStringLiteral("follower_frame_difference_median"), bench::percentile(live, 0.5),
                  QStringLiteral("px"), inputs);
    bench::report(QStringLiteral("follower_frame_difference_p95"), bench::percentile(live, 0.95),
                  QStringLiteral("px"), inputs);
    bench::report(QStringLiteral("follower_clock_offset"), display.link()->clockOffset().offset(),
                  QStringLiteral("ms"), inputs);
    server.stop();
    destroyWindows();
    return 0;
}

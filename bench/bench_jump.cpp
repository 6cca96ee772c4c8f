// A jump to a marker 10,000 lines ahead: how long until the page rests there (from the command to
// the page's answer that it stands at the marker), paused and running, and whether any frame the
// operator sees on the way is blank (a grab of the page with no text in it).
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/markerjump.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"
#include "ui/toolkit/application.h"
#include "testsupport/features.h"
#include "ui/readingaids/markerjumps.h"

namespace {

constexpr int firstMarker = 100;
constexpr int linesAhead = 10000;

QStringList markedScript()
{
    QStringList lines;
    for (int i = 0; i < linesAhead + 2000; ++i)
        lines << QStringLiteral("Line %1 of a long script.").arg(i + 1);
    lines[firstMarker] = QStringLiteral("## Start");
    lines[firstMarker + linesAhead] = QStringLiteral("## Far ahead");
    return lines;
}

bool hasText(const QImage &image)
{
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if (qGray(image.pixel(x, y)) > 128)
                return true;
    return false;
}

bool placeAtFirstMarker(TForm1 *form)
{
    QSignalSpy finished(form->engine, &PromptEngine::glideFinished);
    feature<MarkerJumps>(form).jumpTo(0);
    return finished.wait(10000);
}

// Jumps and returns the milliseconds until the page answers from the marker, or -1.
double timeJump(TForm1 *form, int *blankFrames)
{
    QSignalSpy finished(form->engine, &PromptEngine::glideFinished);
    QElapsedTimer clock;
    clock.start();
    feature<MarkerJumps>(form).jumpTo(1);
    if (blankFrames) {
        // Grabs the page as often as it can until the glide ends.
        while (finished.isEmpty() && clock.elapsed() < 10000) {
            runEventsFor(5);
            if (form->engine->isGliding() && !hasText(form->wb1->grab().toImage()))
                ++*blankFrames;
        }
    }
    if (finished.isEmpty() && !finished.wait(10000))
        return -1;
    auto answered = std::make_shared<bool>(false);
    form->wb1->queryPosition([answered] { *answered = true; });
    if (!runEventsUntil([&answered] { return *answered; }, 5000))
        return -1;
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    TForm1 *form = bench::startPrompter();
    if (!form || !bench::showScript(form, markedScript()))
        return 1;

    for (const int speed : {0, 300}) {
        QList<double> times;
        for (int round = 0; round < 5; ++round) {
            form->engine->setSpeed(0);
            if (!placeAtFirstMarker(form))
                return 1;
            form->engine->setSpeed(speed);
            form->adjustspeed();
            times << timeJump(form, nullptr);
        }
        form->engine->setSpeed(0);
        bench::report(QStringLiteral("jump_to_marker_rest_ms"), bench::median(times), QStringLiteral("ms"),
                      {{QStringLiteral("lines_ahead"), linesAhead},
                       {QStringLiteral("speed"), speed},
                       {QStringLiteral("rounds"), int(times.size())}});
    }

    int blank = 0;
    int rounds = 0;
    for (; rounds < 5; ++rounds) {
        if (!placeAtFirstMarker(form))
            return 1;
        timeJump(form, &blank);
    }
    bench::report(QStringLiteral("jump_blank_frames"), blank, QStringLiteral("frames"),
                  {{QStringLiteral("lines_ahead"), linesAhead}, {QStringLiteral("rounds"), rounds}});
    destroyWindows();
    return 0;
}

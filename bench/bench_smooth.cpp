// Per-frame movement of the page in both scroll modes: the ticking engine, which moves the page
// by the coarse step on each tick, and smooth motion, which moves it a little on every frame. For
// each speed and coarse step: the achieved rate over the nominal one, the jitter (standard
// deviation of the per-frame movement over its mean) and the CPU per second of scrolling.
#include <cmath>
#include <memory>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "app/windows.h"
#include "platform/application.h"
#include "platform/browser.h"
#include "platform/stepslider.h"
#include "platform/translation.h"
#include "prompter/tform1.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"

namespace {

// A frame loop in the page that records, on every frame, where the page is shown: its scroll
// position plus the shift the smooth motion gives the root element.
constexpr const char *startSampling = R"JS(
(function () {
    window.__samples = [];
    window.__sampling = true;
    const root = document.documentElement;
    const sample = (time) => {
        if (!window.__sampling) return;
        const transform = getComputedStyle(root).transform;
        const shift = transform && transform !== 'none' ? -new DOMMatrix(transform).m42 : 0;
        window.__samples.push([time, window.scrollY + shift]);
        requestAnimationFrame(sample);
    };
    requestAnimationFrame(sample);
    return 1;
})()
)JS";

void measure(TForm1 *form, bool smooth, int speed, int coarse, int seconds)
{
    form->dopause();
    form->smoothmotion = smooth;
    auto placed = std::make_shared<bool>(false); // the answer may come after the wait
    form->wb1->scrollToTop([placed] { *placed = true; });
    (void)QTest::qWaitFor([&placed] { return *placed; }, 5000);
    form->speedmod->setValue(coarse);
    form->promptstate.scrollspeed = speed;
    form->adjustspeed();
    QTest::qWait(300);
    bench::evaluate(form->wb1, QString::fromLatin1(startSampling));
    const double cpuBefore = bench::cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(seconds * 1000);
    const double cpu = (bench::cpuSeconds() - cpuBefore) / (clock.nsecsElapsed() / 1e9);
    const QJsonArray samples =
        QJsonDocument::fromJson(
            bench::evaluate(form->wb1,
                            QStringLiteral("window.__sampling = false; JSON.stringify(window.__samples)"))
                .toString()
                .toUtf8())
            .array();
    form->dopause();

    QList<double> moves;
    for (qsizetype i = 1; i < samples.size(); ++i)
        moves << samples.at(i).toArray().at(1).toDouble() - samples.at(i - 1).toArray().at(1).toDouble();
    const double span =
        samples.size() > 1
            ? (samples.last().toArray().at(0).toDouble() - samples.first().toArray().at(0).toDouble()) / 1000
            : 0;
    double sum = 0;
    for (double move : moves)
        sum += move;
    const double mean = moves.isEmpty() ? 0 : sum / moves.size();
    double squares = 0;
    for (double move : moves)
        squares += (move - mean) * (move - mean);
    const double deviation = moves.isEmpty() ? 0 : std::sqrt(squares / moves.size());
    const double nominal = coarse * 1000.0 / (301 - speed);
    const QJsonObject inputs{
        {QStringLiteral("mode"), smooth ? QStringLiteral("smooth") : QStringLiteral("ticks")},
        {QStringLiteral("speed"), speed},
        {QStringLiteral("coarse"), coarse},
        {QStringLiteral("frames"), moves.size()},
        {QStringLiteral("seconds"), span}};
    bench::report(QStringLiteral("frame_motion_rate_ratio"), span > 0 ? sum / span / nominal : 0,
                  QStringLiteral("ratio"), inputs);
    bench::report(QStringLiteral("frame_motion_jitter"), mean != 0 ? deviation / mean : 0,
                  QStringLiteral("ratio"), inputs);
    bench::report(QStringLiteral("cpu_per_second_of_scrolling"), cpu, QStringLiteral("s/s"), inputs);
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    TForm1 *form = bench::startPrompter();
    QStringList script;
    for (int i = 0; i < 12000; ++i)
        script << QStringLiteral("Line %1 of a long script that scrolls for a while.").arg(i);
    if (!form || !bench::showScript(form, script))
        return 1;

    const int seconds =
        qEnvironmentVariableIsSet("BENCH_SECONDS") ? qEnvironmentVariableIntValue("BENCH_SECONDS") : 10;
    for (bool smooth : {false, true})
        for (int speed : {100, 200, 290})
            for (int coarse : {1, 10})
                measure(form, smooth, speed, coarse, seconds);
    destroyWindows();
    return 0;
}

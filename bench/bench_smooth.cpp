// Per-frame movement of the page in both scroll modes: the ticking engine, which moves the page
// by the coarse step on each tick, and smooth motion, which moves it a little on every frame. For
// each speed and coarse step: the achieved rate over the nominal one, the jitter (standard
// deviation of the per-frame movement over its mean; and of the movement over each frame's
// duration, which a frame the page's own loop misses does not disturb), the frames it missed (a
// frame taking over one and a half times the usual: the process did not get the processor in
// time, which on a busy machine raises the motion jitter alone), the frames the page's widget is
// given per second, and the CPU per second of scrolling (measured apart from the
// sampling, which costs the page work of its own). The same on a show of 500 stories (100,000 words)
// as one continuous page, its banners between the stories.
#include <algorithm>
#include <cmath>
#include <memory>

#include <QElapsedTimer>
#include <QEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/rundown/continuousscript.h"
#include "ui/prompter/tform1.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"

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

// Counts the frames the browser hands to the page's widget: the frames the operator sees.
class FrameCounter : public QObject {
public:
    explicit FrameCounter(QWidget *view) : m_view(view) { view->installEventFilter(this); }
    ~FrameCounter() override { m_view->removeEventFilter(this); }
    int frames = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++frames;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_view;
};

double deviationOverMean(const QList<double> &values)
{
    if (values.isEmpty())
        return 0;
    double sum = 0;
    for (double value : values)
        sum += value;
    const double mean = sum / values.size();
    double squares = 0;
    for (double value : values)
        squares += (value - mean) * (value - mean);
    return mean != 0 ? std::sqrt(squares / values.size()) / mean : 0;
}

// The frames that took over one and a half times the median frame.
int missedFrames(QList<double> durations)
{
    if (durations.isEmpty())
        return 0;
    std::sort(durations.begin(), durations.end());
    const double usual = durations.at(durations.size() / 2);
    return int(std::count_if(durations.cbegin(), durations.cend(),
                             [usual](double duration) { return duration > 1.5 * usual; }));
}

void measure(TForm1 *form, bool smooth, int speed, int coarse, int seconds, const QString &page)
{
    form->dopause();
    DisplayModes modes = form->displaymodes;
    modes.smoothScrolling = smooth;
    form->setDisplayModes(modes);
    auto placed = std::make_shared<bool>(false); // the answer may come after the wait
    form->wb1->scrollToTop([placed] { *placed = true; });
    (void)runEventsUntil([&placed] { return *placed; }, 5000);
    form->speedmod->setValue(coarse);
    form->engine->setSpeed(speed);
    form->adjustspeed();
    runEventsFor(300);

    // The CPU and the frames shown, with nothing but the program at work.
    double cpu = 0;
    double framesPerSecond = 0;
    {
        FrameCounter counter(form->wb1->focusProxy());
        const double cpuBefore = bench::cpuSeconds();
        QElapsedTimer clock;
        clock.start();
        runEventsFor(seconds * 1000);
        const double elapsed = clock.nsecsElapsed() / 1e9;
        cpu = (bench::cpuSeconds() - cpuBefore) / elapsed;
        framesPerSecond = counter.frames / elapsed;
    }

    // Then where the page stands on every frame of its own.
    bench::evaluate(form->wb1, QString::fromLatin1(startSampling));
    runEventsFor(seconds * 1000);
    const QJsonArray samples =
        QJsonDocument::fromJson(
            bench::evaluate(form->wb1,
                            QStringLiteral("window.__sampling = false; JSON.stringify(window.__samples)"))
                .toString()
                .toUtf8())
            .array();
    form->dopause();

    QList<double> moves;
    QList<double> velocities; // each frame's movement over the time it took
    QList<double> durations;
    double sum = 0;
    for (qsizetype i = 1; i < samples.size(); ++i) {
        const double move =
            samples.at(i).toArray().at(1).toDouble() - samples.at(i - 1).toArray().at(1).toDouble();
        const double duration =
            samples.at(i).toArray().at(0).toDouble() - samples.at(i - 1).toArray().at(0).toDouble();
        moves << move;
        durations << duration;
        sum += move;
        if (duration > 0)
            velocities << move / duration;
    }
    const double span =
        samples.size() > 1
            ? (samples.last().toArray().at(0).toDouble() - samples.first().toArray().at(0).toDouble()) / 1000
            : 0;
    const double nominal = coarse * 1000.0 / (301 - speed);
    const QJsonObject inputs{
        {QStringLiteral("mode"), smooth ? QStringLiteral("smooth") : QStringLiteral("ticks")},
        {QStringLiteral("speed"), speed},
        {QStringLiteral("coarse"), coarse},
        {QStringLiteral("frames"), moves.size()},
        {QStringLiteral("seconds"), span},
        {QStringLiteral("page"), page}};
    bench::report(QStringLiteral("frame_motion_rate_ratio"), span > 0 ? sum / span / nominal : 0,
                  QStringLiteral("ratio"), inputs);
    bench::report(QStringLiteral("frame_motion_jitter"), deviationOverMean(moves), QStringLiteral("ratio"),
                  inputs);
    bench::report(QStringLiteral("frame_velocity_jitter"), deviationOverMean(velocities),
                  QStringLiteral("ratio"), inputs);
    bench::report(QStringLiteral("frames_missed"), missedFrames(durations), QStringLiteral("frames"), inputs);
    bench::report(QStringLiteral("page_frames_per_second"), framesPerSecond, QStringLiteral("1/s"), inputs);
    bench::report(QStringLiteral("cpu_per_second_of_scrolling"), cpu, QStringLiteral("s/s"), inputs);
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    TForm1 *form = bench::promptNumberedScript(12000);
    if (!form)
        return 1;

    const int seconds = bench::secondsToRun(10);
    for (bool smooth : {false, true})
        for (int speed : {100, 200, 290})
            for (int coarse : {1, 10})
                measure(form, smooth, speed, coarse, seconds, QStringLiteral("12000 numbered lines"));

    QList<RundownEntry> stories;
    for (int story = 0; story < 500; ++story) {
        RundownEntry entry;
        entry.key = story + 1;
        entry.name = QStringLiteral("Story %1").arg(story + 1);
        entry.text = ScriptText::Plain;
        for (int paragraph = 0; paragraph < 10; ++paragraph)
            entry.lines << QStringLiteral(
                               "Paragraph %1 of story %2, twenty words long, read at the pace of the "
                               "presenter while the page glides on.")
                               .arg(paragraph + 1)
                               .arg(story + 1);
        stories << entry;
    }
    const ContinuousScript show = assemblecontinuous(stories, form->promptstate.specialtable, 180);
    form->promptstate.scripttext = ScriptText::Markup;
    if (!bench::showScript(form, show.lines))
        return 1;
    for (bool smooth : {false, true})
        measure(form, smooth, 200, 1, seconds, QStringLiteral("continuous show of 500 stories"));
    destroyWindows();
    return 0;
}

// The scroll engine: how closely the page's real movement follows the nominal rate at several
// speeds and coarse steps, the CPU the program and its browser processes use while scrolling,
// and the time from a key press on the page to the new speed on the status line.
#include <memory>

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"

namespace {

// The page's real position, asked of the page itself.
int livePosition(Browser *browser)
{
    return bench::evaluate(browser, QStringLiteral("Math.round(window.scrollY)")).toInt();
}

void setSpeed(TForm1 *form, int speed, int coarse)
{
    form->speedmod->setValue(coarse);
    form->engine->setSpeed(speed);
    form->adjustspeed();
}

void measureRate(TForm1 *form, int speed, int coarse, int seconds)
{
    form->dopause();
    auto placed = std::make_shared<bool>(false); // the answer may come after the wait
    form->wb1->scrollToTop([placed] { *placed = true; });
    (void)runEventsUntil([&placed] { return *placed; }, 5000);
    int events = 0;
    qint64 ticks = 0;
    const auto counter = QObject::connect(form->Timer1, &TickTimer::timeout, [&](int due) {
        ++events;
        ticks += due;
    });
    const int before = livePosition(form->wb1);
    QElapsedTimer clock;
    clock.start();
    setSpeed(form, speed, coarse);
    runEventsFor(seconds * 1000);
    form->dopause();
    const double elapsed = clock.nsecsElapsed() / 1e9;
    runEventsFor(100); // the last step reaches the page
    const int after = livePosition(form->wb1);
    QObject::disconnect(counter);
    const double nominal = coarse * 1000.0 / (301 - std::abs(speed));
    const double achieved = (after - before) / elapsed;
    const QJsonObject inputs{{QStringLiteral("speed"), speed},
                             {QStringLiteral("coarse"), coarse},
                             {QStringLiteral("seconds"), seconds},
                             {QStringLiteral("nominal_px_per_s"), nominal}};
    bench::report(QStringLiteral("scroll_rate_fidelity"), achieved / nominal, QStringLiteral("ratio"),
                  inputs);
    bench::report(QStringLiteral("timer_events_per_second"), events / elapsed, QStringLiteral("1/s"), inputs);
    bench::report(QStringLiteral("ticks_per_second"), ticks / elapsed, QStringLiteral("1/s"), inputs);
}

void measureCpu(TForm1 *form, int speed, int coarse, int seconds)
{
    setSpeed(form, speed, coarse);
    runEventsFor(500);
    const double cpuBefore = bench::cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    runEventsFor(seconds * 1000);
    const double cpu = bench::cpuSeconds() - cpuBefore;
    const double elapsed = clock.nsecsElapsed() / 1e9;
    form->dopause();
    bench::report(QStringLiteral("cpu_per_second_of_scrolling"), cpu / elapsed, QStringLiteral("s/s"),
                  {{QStringLiteral("speed"), speed},
                   {QStringLiteral("coarse"), coarse},
                   {QStringLiteral("processes"), QStringLiteral("program and browser")}});
}

void measureKeyLatency(TForm1 *form, int presses)
{
    setSpeed(form, 300, 1);
    QWidget *page = form->wb1->focusProxy();
    QList<double> latencies;
    for (int i = 0; i < presses; ++i) {
        const Qt::Key key = i % 2 == 0 ? Qt::Key_S : Qt::Key_W;
        const QString expected = form->Label1->text() == QLatin1String("Speed 300")
                                     ? QStringLiteral("Speed 290")
                                     : QStringLiteral("Speed 300");
        QElapsedTimer clock;
        clock.start();
        QCoreApplication::postEvent(page, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString()));
        QCoreApplication::postEvent(page, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString()));
        while (form->Label1->text() != expected && clock.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        latencies << clock.nsecsElapsed() / 1e6;
        runEventsFor(15);
    }
    std::sort(latencies.begin(), latencies.end());
    const QJsonObject inputs{{QStringLiteral("presses"), presses}, {QStringLiteral("speed"), 300}};
    bench::report(QStringLiteral("key_to_label_latency_median"), bench::median(latencies),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("key_to_label_latency_p99"), latencies.at(int(latencies.size() * 0.99) - 1),
                  QStringLiteral("ms"), inputs);
    form->dopause();
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    TForm1 *form = bench::promptNumberedScript(6000);
    if (!form)
        return 1;

    for (const auto &[speed, coarse] :
         QList<QPair<int, int>>{{10, 1}, {150, 3}, {250, 5}, {291, 10}, {300, 1}, {300, 10}})
        measureRate(form, speed, coarse, 5);
    measureCpu(form, 291, 1, 10);
    measureKeyLatency(form, 200);
    destroyWindows();
    return 0;
}

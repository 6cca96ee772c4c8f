// A long run as a show runs: speed 300 with the talent display open, the next script of a
// 20-entry queue loaded every 30 s, the quick editor opened and closed every 2 minutes. Every
// minute it reports the program's and the browser's resident memory, the program's heap in use and
// its open files; at the end the growth over the run and the trend after the first 5 minutes.
// Memory swings with every new script, so each figure is sampled every 5 s and each minute's lowest
// and highest are reported: a leak lifts both, a moment's swing neither. The heap in use tells what
// the program holds from what the allocator keeps for reuse. A burst of open files is reported with
// what the files are.
// BENCH_SECONDS sets the length (1800: 30 minutes).
#include <algorithm>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "ui/editor/tform2.h"
#include "core/engine/promptengine.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"
#include "testsupport/scripteddialogs.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"

namespace {

constexpr int speed = 300;
constexpr int queueLength = 20;
constexpr int nextScriptMs = 30 * 1000;
constexpr int quickEditMs = 120 * 1000;
constexpr int sampleMs = 60 * 1000;
constexpr int quickSampleMs = 5 * 1000;
constexpr int settledMinutes = 5;

// Twenty scripts of 2,000 lines each, different in every entry.
QStringList writeQueue(const QTemporaryDir &dir)
{
    QStringList paths;
    for (int entry = 0; entry < queueLength; ++entry) {
        const QString path =
            dir.filePath(QStringLiteral("story%1.txt").arg(entry + 1, 2, 10, QLatin1Char('0')));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        for (int line = 0; line < 2000; ++line)
            file.write(
                QStringLiteral("Story %1, line %2: the evening's news, \u00e9t\u00e9 \u2014 read live\r\n")
                    .arg(entry + 1)
                    .arg(line + 1)
                    .toUtf8());
        paths << path;
    }
    return paths;
}

void run(TForm1 *form)
{
    form->speedmod->setValue(1);
    form->engine->setSpeed(speed);
    form->adjustspeed();
}

// The next entry of the queue, from the first again after the last.
void nextScript(TForm1 *form)
{
    if (form->promptstate.queuepos >= queueLength - 1)
        form->promptstate.queuepos = -1;
    form->nextscript();
    run(form);
}

// Opens the quick editor on the script shown and closes it a second later (without saving).
void quickEdit(TForm1 *form)
{
    TForm2 *editor = windows().Form2;
    QTimer::singleShot(1000, editor, [editor] {
        if (editor->isVisible())
            editor->close();
    });
    form->EditScript2Click();
    run(form);
}

// The slope of a least-squares line through the samples, per sample.
double slope(const QList<double> &values)
{
    const qsizetype n = values.size();
    if (n < 2)
        return 0;
    double meanX = (n - 1) / 2.0, meanY = 0;
    for (double value : values)
        meanY += value / n;
    double covariance = 0, variance = 0;
    for (qsizetype i = 0; i < n; ++i) {
        covariance += (i - meanX) * (values.at(i) - meanY);
        variance += (i - meanX) * (i - meanX);
    }
    return covariance / variance;
}

// One measure sampled every few seconds and reported every minute: the minute's last sample,
// lowest and highest.
struct Figure {
    QList<double> moment; // this minute's samples
    QList<double> last, lowest, highest;

    void take(double value) { moment << value; }

    void report(const QString &name, const QString &unit, const QJsonObject &at)
    {
        last << moment.last();
        lowest << *std::min_element(moment.cbegin(), moment.cend());
        highest << *std::max_element(moment.cbegin(), moment.cend());
        moment.clear();
        bench::report(name, last.last(), unit, at);
        bench::report(name + QStringLiteral("_lowest"), lowest.last(), unit, at);
        bench::report(name + QStringLiteral("_highest"), highest.last(), unit, at);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryFile screens;
    QTemporaryDir home;
    if (!bench::useTwoScreens(screens))
        return 1;
    // Its settings and the quick editor's recovery file stay out of the user's folders.
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toLocal8Bit());
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    ScriptedDialogs dialogs; // the editor's notes and questions answer themselves
    TForm1 *form = bench::promptNumberedScript(10);
    const QStringList queue = writeQueue(home);
    if (!form || queue.size() != queueLength)
        return 1;
    windows().Form4->setQueue(queue);
    form->promptstate.queuepos = -1;
    nextScript(form);
    form->Image3MouseUp();
    if (!form->outputwindow())
        return 1;

    const int seconds = bench::secondsToRun(1800);
    const QJsonObject inputs{{QStringLiteral("seconds"), seconds},
                             {QStringLiteral("speed"), speed},
                             {QStringLiteral("queue"), queueLength},
                             {QStringLiteral("next_script_s"), nextScriptMs / 1000},
                             {QStringLiteral("quick_edit_s"), quickEditMs / 1000}};
    Figure program, heap, browser, files;
    int scripts = 0, edits = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 nextLoad = nextScriptMs, nextEdit = quickEditMs, nextSample = 0, nextQuickSample = 0;
    while (clock.elapsed() < qint64(seconds) * 1000) {
        runEventsFor(200);
        const qint64 now = clock.elapsed();
        if (now >= nextQuickSample) {
            program.take(bench::residentMemoryMb());
            heap.take(bench::heapInUseMb());
            browser.take(bench::descendantsResidentMemoryMb());
            files.take(bench::openFiles());
            // A burst of open files is told by what the files are.
            if (!files.lowest.isEmpty() &&
                files.moment.last() > *std::min_element(files.lowest.cbegin(), files.lowest.cend()) + 10) {
                QJsonObject at = inputs;
                at.insert(QStringLiteral("second"), int(now / 1000));
                at.insert(QStringLiteral("kinds"), bench::openFileKinds());
                bench::report(QStringLiteral("open_files_burst"), files.moment.last(),
                              QStringLiteral("count"), at);
            }
            nextQuickSample += quickSampleMs;
        }
        if (now >= nextSample) {
            QJsonObject at = inputs;
            at.insert(QStringLiteral("minute"), int(program.last.size()));
            program.report(QStringLiteral("memory_program"), QStringLiteral("MB"), at);
            heap.report(QStringLiteral("heap_in_use"), QStringLiteral("MB"), at);
            browser.report(QStringLiteral("memory_browser"), QStringLiteral("MB"), at);
            files.report(QStringLiteral("open_files"), QStringLiteral("count"), at);
            nextSample += sampleMs;
        }
        if (now >= nextLoad) {
            nextScript(form);
            ++scripts;
            nextLoad += nextScriptMs;
        }
        if (now >= nextEdit) {
            quickEdit(form);
            ++edits;
            nextEdit += quickEditMs;
        }
    }
    const auto growth = [](const QList<double> &values) {
        return values.size() > 1 && values.first() > 0
                   ? 100.0 * (values.last() - values.first()) / values.first()
                   : 0.0;
    };
    const auto settled = [](const QList<double> &values) {
        return values.size() > settledMinutes ? values.mid(settledMinutes) : values;
    };
    bench::report(QStringLiteral("scripts_loaded"), scripts, QStringLiteral("count"), inputs);
    bench::report(QStringLiteral("quick_edits"), edits, QStringLiteral("count"), inputs);
    bench::report(QStringLiteral("memory_program_growth"), growth(program.last), QStringLiteral("%"), inputs);
    bench::report(QStringLiteral("memory_browser_growth"), growth(browser.last), QStringLiteral("%"), inputs);
    bench::report(QStringLiteral("memory_program_growth_after_5min"), growth(settled(program.last)),
                  QStringLiteral("%"), inputs);
    bench::report(QStringLiteral("memory_browser_growth_after_5min"), growth(settled(browser.last)),
                  QStringLiteral("%"), inputs);
    // The browser's memory swings by a third with every new script, so that two samples, the first
    // and the last, tell the moment more than the run: the fitted line's rise over the settled part,
    // against its mean, tells the growth.
    const auto fittedGrowth = [](const QList<double> &values) {
        double mean = 0;
        for (double value : values)
            mean += value / double(values.size());
        return values.size() > 1 && mean > 0 ? 100.0 * slope(values) * double(values.size() - 1) / mean : 0.0;
    };
    const auto reportFitted = [&](const QString &name, const QList<double> &values) {
        bench::report(name + QStringLiteral("_fitted_growth_after_5min"), fittedGrowth(settled(values)),
                      QStringLiteral("%"), inputs);
    };
    reportFitted(QStringLiteral("memory_program"), program.last);
    reportFitted(QStringLiteral("memory_program_lowest"), program.lowest);
    reportFitted(QStringLiteral("memory_program_highest"), program.highest);
    reportFitted(QStringLiteral("heap_in_use_lowest"), heap.lowest);
    reportFitted(QStringLiteral("memory_browser"), browser.last);
    reportFitted(QStringLiteral("memory_browser_lowest"), browser.lowest);
    reportFitted(QStringLiteral("memory_browser_highest"), browser.highest);
    reportFitted(QStringLiteral("open_files_highest"), files.highest);
    bench::report(QStringLiteral("memory_program_trend_after_5min"), slope(settled(program.last)),
                  QStringLiteral("MB/min"), inputs);
    bench::report(QStringLiteral("memory_browser_trend_after_5min"), slope(settled(browser.last)),
                  QStringLiteral("MB/min"), inputs);
    form->dopause();
    destroyWindows();
    return 0;
}

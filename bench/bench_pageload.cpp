// Opening a generated plain script: page build plus load, up to the completed document with its
// measurement done, for growing scripts; the time from process start to the first completed
// document; and the peak memory of the program and its browser processes.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/dialogs.h"

namespace {

QStringList plainScript(int lines)
{
    QStringList script;
    script.reserve(lines);
    for (int i = 0; i < lines; ++i)
        script << QStringLiteral("Line %1: \u00e9t\u00e9 \u2014 the quick brown fox jumps over the lazy dog.")
                      .arg(i);
    return script;
}

// Builds and loads the page, returning the milliseconds until the page is measured.
double openScript(TForm1 *form, const QStringList &script)
{
    QElapsedTimer clock;
    clock.start();
    form->promptstate.scriptlines = script;
    QSignalSpy complete(form, &TForm1::pageMeasured);
    form->reloadwb();
    if (!complete.wait(120000))
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
    if (!form)
        return 1;
    bench::report(QStringLiteral("start_to_first_document_complete"), bench::msSinceProcessStart(),
                  QStringLiteral("ms"));

    QHash<int, double> medians;
    for (int lines : {1000, 10000, 50000}) {
        const QStringList script = plainScript(lines);
        QList<double> samples;
        for (int run = 0; run < 3; ++run)
            samples << openScript(form, script);
        medians.insert(lines, bench::median(samples));
        bench::report(QStringLiteral("open_plain_script"), medians.value(lines), QStringLiteral("ms"),
                      {{QStringLiteral("lines"), lines},
                       {QStringLiteral("runs"), 3},
                       {QStringLiteral("table_entries"), form->promptstate.specialtable.size()}});
    }
    bench::report(QStringLiteral("open_plain_script_ratio_50000_to_10000"),
                  medians.value(50000) / medians.value(10000), QStringLiteral("ratio"));
    bench::report(QStringLiteral("peak_memory_with_50000_lines"), bench::peakMemoryMb(), QStringLiteral("MB"),
                  {{QStringLiteral("processes"), QStringLiteral("program and browser")}});
    destroyWindows();
    return 0;
}

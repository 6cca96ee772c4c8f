// Time from a SIGKILL of the browser's renderer to the page back at its place in the script, the
// talent display open: for the prompter's page (pageRestored) and for both pages standing
// together again. Twenty kills; median and maximum.
#include <csignal>

#include <QElapsedTimer>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QWebEnginePage>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "ui/talentdisplay/outputwindow.h"
#include "core/prompter/scriptposition.h"
#include "ui/prompter/tform1.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"
#include "ui/toolkit/application.h"

namespace {

constexpr int kills = 20;

bool placed(Browser *page, int position)
{
    auto answered = std::make_shared<bool>(false);
    page->queryPosition([answered] { *answered = true; });
    return runEventsUntil([&answered] { return *answered; }, 5000) && page->scrollPosition() == position;
}

bool outputAgrees(TForm1 *form)
{
    OutputWindow *output = form->outputwindow();
    const double prompter =
        scriptposition(form->wb1->scrollPosition(), ScriptPage{form->wb1->scrollBottom(), false, 1.0});
    return output->outputpage->isDocumentComplete() && output->outputpage->scrollBottom() >= 0 &&
           std::abs(output->scriptPosition() - prompter) <= 1.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryFile screens;
    if (!screens.open())
        return 1;
    screens.write(R"({ "windowFrameMargins": false, "screens": [
        { "name": "DP-1", "x": 0, "y": 0, "width": 1920, "height": 1080 },
        { "name": "DP-2", "x": 1920, "y": 0, "width": 1920, "height": 1080 } ] })");
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    TForm1 *form = bench::promptNumberedScript(5000);
    if (!form)
        return 1;
    form->Image3MouseUp();
    if (!form->outputwindow() ||
        !runEventsUntil([form] { return form->outputwindow()->outputpage->isDocumentComplete(); }, 60000))
        return 1;

    QList<double> prompterBack, bothBack;
    for (int kill = 0; kill < kills; ++kill) {
        const int position = 2000 + 1000 * kill;
        auto moved = std::make_shared<bool>(false);
        form->wb1->scrollTo(0, position, [moved] { *moved = true; });
        if (!runEventsUntil([&moved] { return *moved; }, 10000) ||
            !runEventsUntil([form] { return outputAgrees(form); }, 10000))
            return 1;
        QSignalSpy restored(form, &TForm1::pageRestored);
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(form->wb1->page()->renderProcessPid()), SIGKILL);
        if (!runEventsUntil([&restored] { return !restored.isEmpty(); }, 30000))
            return 1;
        prompterBack << clock.nsecsElapsed() / 1e6;
        if (!runEventsUntil([form] { return outputAgrees(form); }, 30000))
            return 1;
        bothBack << clock.nsecsElapsed() / 1e6;
        if (!placed(form->wb1, position))
            qWarning("kill %d: the page came back at %d instead of %d", kill, form->wb1->scrollPosition(),
                     position);
    }
    const QJsonObject inputs{{QStringLiteral("kills"), kills},
                             {QStringLiteral("lines"), 5000},
                             {QStringLiteral("talent_display"), true}};
    bench::report(QStringLiteral("kill_to_prompter_back_median"), bench::median(prompterBack),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("kill_to_prompter_back_max"),
                  *std::max_element(prompterBack.begin(), prompterBack.end()), QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("kill_to_both_back_median"), bench::median(bothBack), QStringLiteral("ms"),
                  inputs);
    bench::report(QStringLiteral("kill_to_both_back_max"),
                  *std::max_element(bothBack.begin(), bothBack.end()), QStringLiteral("ms"), inputs);
    destroyWindows();
    return 0;
}

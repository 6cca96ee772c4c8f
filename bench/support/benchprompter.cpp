#include "benchprompter.h"

#include <memory>

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "testsupport/eventwait.h"

namespace bench {

TForm1 *startPrompter()
{
    createWindows();
    TForm1 *form = windows().Form1;
    QSignalSpy measured(form, &TForm1::pageMeasured);
    form->show();
    return measured.wait(60000) ? form : nullptr;
}

bool showScript(TForm1 *form, const QStringList &lines)
{
    QSignalSpy measured(form, &TForm1::pageMeasured);
    form->promptstate.scriptlines = lines;
    form->reloadwb();
    return measured.wait(120000);
}

bool showNumberedScript(TForm1 *form, int count)
{
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Line %1 of a long script.").arg(i);
    return showScript(form, lines);
}

TForm1 *promptNumberedScript(int count)
{
    initTranslation();
    TForm1 *form = startPrompter();
    return form && showNumberedScript(form, count) ? form : nullptr;
}

int secondsToRun(int fallback)
{
    return qEnvironmentVariableIsSet("BENCH_SECONDS") ? qEnvironmentVariableIntValue("BENCH_SECONDS")
                                                      : fallback;
}

QVariant evaluate(Browser *browser, const QString &script)
{
    // Shared with the callback, which may come after the wait has given up.
    struct Answer {
        QVariant value;
        bool done = false;
    };
    auto answer = std::make_shared<Answer>();
    browser->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                   [answer](const QVariant &value) {
                                       answer->value = value;
                                       answer->done = true;
                                   });
    if (!runEventsUntil([&answer] { return answer->done; }, 10000))
        qWarning("no answer from the page in 10 s");
    return answer->value;
}

} // namespace bench

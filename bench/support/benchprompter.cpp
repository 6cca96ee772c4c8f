#include "benchprompter.h"

#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "app/windows.h"
#include "platform/browser.h"
#include "prompter/tform1.h"

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

QVariant evaluate(Browser *browser, const QString &script)
{
    QVariant result;
    bool done = false;
    browser->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    (void)QTest::qWaitFor([&done] { return done; }, 10000);
    return result;
}

} // namespace bench

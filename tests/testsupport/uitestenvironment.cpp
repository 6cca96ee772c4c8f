#include "testsupport/uitestenvironment.h"
#include "testsupport/eventwait.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include "app/windows.h"
#include "platform/application.h"
#include "platform/browser.h"
#include "prompter/tform1.h"

UiTestEnvironment::UiTestEnvironment()
{
    qputenv("XDG_CONFIG_HOME", configDir.path().toLocal8Bit());
    // The settings store keeps the folder it first saw; point it at this test's folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
    // Nothing answers on port 1: the program starts as without a network, unless a test points
    // the probe at its own web service.
    qputenv("VANTELL_PROBE_URL", "http://127.0.0.1:1/");
}

UiTestEnvironment::~UiTestEnvironment()
{
    stop();
}

TForm1 *UiTestEnvironment::start()
{
    createWindows();
    TForm1 *form = windows().Form1;
    QSignalSpy measured(form, &TForm1::pageMeasured);
    if (auto *app = VantellApplication::instance())
        app->setErrorHandler([form](const QString &text) { form->ApplicationEvents1Exception(text); });
    form->show();
    if (measured.isEmpty())
        measured.wait(30000);
    return form;
}

void UiTestEnvironment::stop()
{
    if (auto *app = VantellApplication::instance())
        app->setErrorHandler({});
    if (windows().Form1)
        destroyWindows();
}

bool reloadAndWait(TForm1 *form, int timeoutMs)
{
    QSignalSpy measured(form, &TForm1::pageMeasured);
    form->reloadwb();
    return measured.wait(timeoutMs);
}

bool settle(const std::function<void(std::function<void()>)> &request, int timeoutMs)
{
    bool done = false;
    request([&done] { done = true; });
    return runEventsUntil([&done] { return done; }, timeoutMs);
}

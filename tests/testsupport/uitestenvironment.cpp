#include "testsupport/uitestenvironment.h"

#include <QSignalSpy>
#include <QTest>

#include "app/windows.h"
#include "platform/application.h"
#include "platform/browser.h"
#include "prompter/tform1.h"

UiTestEnvironment::UiTestEnvironment()
{
    qputenv("XDG_CONFIG_HOME", configDir.path().toLocal8Bit());
}

UiTestEnvironment::~UiTestEnvironment()
{
    stop();
}

TForm1 *UiTestEnvironment::start()
{
    createWindows();
    TForm1 *form = windows().Form1;
    if (auto *app = VantellApplication::instance())
        app->setErrorHandler([form](const QString &text) { form->ApplicationEvents1Exception(text); });
    form->show();
    waitForPage(form);
    return form;
}

void UiTestEnvironment::stop()
{
    if (auto *app = VantellApplication::instance())
        app->setErrorHandler({});
    if (windows().Form1)
        destroyWindows();
}

bool waitForPage(TForm1 *form, int timeoutMs)
{
    return QTest::qWaitFor([form] { return form->wb1->isDocumentComplete(); }, timeoutMs);
}

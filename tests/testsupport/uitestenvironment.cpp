#include "testsupport/uitestenvironment.h"
#include "testsupport/eventwait.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "ui/prompter/tform1.h"
#include "ui/toolkit/application.h"

UiTestEnvironment::UiTestEnvironment()
{
    qputenv("XDG_CONFIG_HOME", configDir.path().toLocal8Bit());
    // The quick editor's recovery file too stays in the test's folder.
    qputenv("XDG_STATE_HOME", configDir.path().toLocal8Bit());
    // The settings store keeps the folder it first saw; point it at this test's folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
    // Nothing answers on port 1: the program starts as without a network, unless a test points
    // the probe at its own web service.
    qputenv("VANTELL_PROBE_URL", "http://127.0.0.1:1/");
}

namespace {

// The script's text as the reader sees it: every piece of text on a script page must have a colour
// other than the page's own. Answers the texts that vanish into the page.
constexpr const char *invisibleTextScript = R"JS(
(function () {
    if (location.protocol !== 'vantell:') return [];
    const ground = getComputedStyle(document.body).backgroundColor;
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    const invisible = [];
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
        const text = node.textContent.trim();
        if (text && getComputedStyle(node.parentElement).color === ground)
            invisible.push(text.slice(0, 40));
    }
    return invisible;
})()
)JS";

} // namespace

void UiTestEnvironment::checkEveryPageBuilt(TForm1 *form)
{
    QObject::connect(form, &TForm1::pageMeasured, form, [form] {
        form->wb1->page()->runJavaScript(
            QString::fromLatin1(invisibleTextScript), QWebEngineScript::ApplicationWorld,
            [](const QVariant &answer) {
                const QStringList invisible = answer.toStringList();
                if (!invisible.isEmpty())
                    qCritical("Text in the page's own colour, invisible to the reader: %s",
                              qPrintable(invisible.join(QStringLiteral(" | "))));
                QVERIFY2(invisible.isEmpty(), "the page shows text in its background colour");
            });
    });
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
    checkEveryPageBuilt(form);
    form->show();
    if (measured.isEmpty())
        measured.wait(30000);
    return form;
}

void UiTestEnvironment::stop()
{
    if (auto *app = VantellApplication::instance())
        app->setErrorHandler({});
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

void changeModes(TForm1 *form, const std::function<void(DisplayModes &)> &change)
{
    DisplayModes modes = form->displaymodes;
    change(modes);
    form->setDisplayModes(modes);
}

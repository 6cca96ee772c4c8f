// Dual display: "Toggle Dual Display" opens and closes the output window for the talent, which
// shows the page with the remote display's modes and stays at the prompter's place in the
// script: every position the prompter's page reports (after a tick, a reset, a new page, a wheel
// turn or a key) is handed on, so the output never drifts from it.
#include <QGuiApplication>
#include <QScreen>

#include "platform/browser.h"
#include "prompter/outputscreen.h"
#include "prompter/outputwindow.h"
#include "prompter/scriptposition.h"
#include "prompter/tform1.h"
#include "render/page.h"

namespace {

QScreen *screenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

} // namespace

void TForm1::Image3MouseUp()
{
    if (outputwindow)
        closeoutputwindow();
    else
        openoutputwindow();
    wb1->focusPage();
}

void TForm1::openoutputwindow()
{
    QStringList names;
    for (const QScreen *screen : QGuiApplication::screens())
        names << screen->name();
    const QString chosen = chooseoutputscreen(names, screen()->name(), outputscreen);
    outputwindow = new OutputWindow(wb1);
    connect(outputwindow, &OutputWindow::keyPressed, this, &TForm1::wb1KeyDown);
    connect(outputwindow, &OutputWindow::screenChanged, this,
            [this](const QString &name) { outputscreen = name; });
    outputwindow->open(screenNamed(chosen));
    // The output window takes no focus; where the platform activates new windows all the same,
    // the prompter takes it back.
    activateWindow();
    loadoutputpage();
    followoutput();
}

void TForm1::closeoutputwindow()
{
    if (OutputWindow *window = outputwindow) {
        outputwindow.clear();
        window->close();
    }
}

void TForm1::loadoutputpage()
{
    if (outputwindow)
        outputwindow->showPage(withbodytag(promptstate.pagelines, mirroredRemotely(), upsideDownRemotely()),
                               upsideDownRemotely());
}

void TForm1::followoutput()
{
    followoutputfrom(wb1->scrollPosition(), wb1->positionTime(), wb1->smoothMotion());
}

void TForm1::followoutputfrom(int position, double atTime, double pageRate)
{
    // Only script pages are shown there, and a page that is still being put at its start
    // stands nowhere yet.
    if (!outputwindow || m_measuringPage || !wb1->isScriptPage() || !wb1->isDocumentComplete())
        return;
    const bool turned = upsideDownLocally();
    const double script = scriptposition(position, ScriptPage{wb1->scrollBottom(), turned, 1.0});
    outputwindow->follow(script, atTime, turned ? -pageRate : pageRate);
}

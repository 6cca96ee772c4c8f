// Dual display: "Toggle Dual Display" opens and closes the output window for the talent, which
// shows the page with the remote display's modes and stays at the prompter's place in the script.
#include <QGuiApplication>
#include <QScreen>

#include "ui/browser/browser.h"
#include "ui/prompter/outputfollower.h"
#include "core/prompter/outputscreen.h"
#include "ui/prompter/tform1.h"
#include "core/render/page.h"

void TForm1::Image3MouseUp()
{
    if (outputwindow())
        closeoutputwindow();
    else
        openoutputwindow();
    wb1->focusPage();
}

OutputWindow *TForm1::outputwindow() const
{
    return follower->window();
}

void TForm1::openoutputwindow()
{
    QStringList names;
    for (const QScreen *screen : QGuiApplication::screens())
        names << screen->name();
    follower->open(chooseoutputscreen(names, screen()->name(), outputscreen));
    // The output window takes no focus; where the platform activates new windows all the same,
    // the prompter takes it back.
    activateWindow();
    applyReadingLine();
    showNotices();
    loadoutputpage();
    follower->follow();
}

void TForm1::closeoutputwindow()
{
    follower->close();
}

void TForm1::loadoutputpage()
{
    if (outputwindow())
        follower->showPage(withbodytag(promptstate.pagelines, mirroredRemotely(), upsideDownRemotely()),
                           upsideDownRemotely());
}

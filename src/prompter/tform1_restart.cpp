// Bringing a page back when the browser's process that drew it ends (killed, crashed, out of
// memory): the prompter's page and the talent's are loaded again and put back at the script's
// place, while the engine runs on at its speed; the status line tells the operator.
#include <QLabel>
#include <QTime>

#include "browser/browser.h"
#include "engine/promptengine.h"
#include "platform/translation.h"
#include "prompter/outputfollower.h"
#include "prompter/tform1.h"
#include "stringtable.h"
#include "toolkit/statusnotice.h"

void TForm1::restartPage(bool hadDocument)
{
    // A page that died while loading is loaded again and placed as that load would have been;
    // one that died while being restarted still goes back to the place it was restarted for.
    if (hadDocument)
        m_restartAt = wb1->scrollPosition();
    // The talent's page waits until the prompter's stands again.
    follower->setHeld(true);
    const QUrl shown = wb1->documentUrl();
    if (wb1->isScriptPage() || shown.isEmpty())
        wb1->loadPageLines(promptstate.pagelines);
    else
        wb1->navigate(shown);
    noticePageRestarted();
}

void TForm1::placeRestartedPage(int position)
{
    wb1->scrollTo(0, position, [this] {
        follower->setHeld(false);
        follower->follow();
        // A running smooth motion goes on; a ticking engine has gone on all along.
        engine->updateMotion();
        if (isActiveWindow())
            wb1->focusPage();
        emit pageRestored();
    });
}

void TForm1::noticePageRestarted()
{
    m_notice->show(i18n(str::PageRestarted).arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
}

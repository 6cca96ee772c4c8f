// Bringing a page back when the browser's process that drew it ends (killed, crashed, out of
// memory): the prompter's page and the talent's are loaded again and put back at the script's
// place, while the engine runs on at its speed; the status line tells the operator.
#include <QLabel>
#include <QTime>
#include <QTimer>

#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "ui/prompter/outputfollower.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"
#include "ui/toolkit/statusnotice.h"

namespace {
// Long enough for a page of any length to load on a busy machine, short enough for the show.
constexpr int restartPatienceMs = 6000;
} // namespace

void TForm1::restartPage(bool hadDocument)
{
    // A page that died while loading is loaded again and placed as that load would have been;
    // one that died while being restarted still goes back to the place it was restarted for.
    if (hadDocument) {
        m_restartAt = wb1->scrollPosition();
        m_restartTarget = *m_restartAt;
    }
    // A renderer that dies again at the wrong moment of the new load can leave that load's end
    // unreported, and the page would stay blank: a restart that has not come back in time is
    // made again, for the same place.
    if (!m_restartWatch) {
        m_restartWatch = new QTimer(this);
        m_restartWatch->setSingleShot(true);
        m_restartWatch->setInterval(restartPatienceMs);
        connect(m_restartWatch, &QTimer::timeout, this, [this] {
            m_restartAt = m_restartTarget;
            restartPage(false);
        });
    }
    if (m_restartAt)
        m_restartWatch->start();
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
        if (m_restartWatch)
            m_restartWatch->stop();
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

#include "ui/faults/pagerestart.h"

#include <utility>

#include <QTime>
#include <QTimer>
#include <QWidget>

#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/prompter/prompterview.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "ui/toolkit/statusnotice.h"

namespace {
// Long enough for a page of any length to load on a busy machine, short enough for the show.
constexpr int restartPatienceMs = 6000;
} // namespace

PageRestart::PageRestart(const PrompterParts &parts, TalentDisplay &talent, QObject *parent)
    : QObject(parent), m_window(parts.window), m_view(parts.view), m_engine(parts.engine), m_page(parts.page),
      m_notice(parts.notice), m_talent(talent), m_watch(new QTimer(this))
{
    setObjectName(QStringLiteral("pagerestart"));
    // A renderer that dies again at the wrong moment of the new load can leave that load's end
    // unreported, and the page would stay blank: a restart that has not come back in time is
    // made again, for the same place.
    m_watch->setSingleShot(true);
    m_watch->setInterval(restartPatienceMs);
    connect(m_watch, &QTimer::timeout, this, [this] {
        m_restartAt = m_restartTarget;
        restart(false);
    });
    connect(&m_page, &Browser::rendererEnded, this, &PageRestart::restart);
    connect(talent.follower(), &OutputFollower::outputPageRestarted, this, &PageRestart::tellOperator);
}

void PageRestart::restart(bool hadDocument)
{
    // A page that died while loading is loaded again and placed as that load would have been;
    // one that died while being restarted still goes back to the place it was restarted for.
    if (hadDocument) {
        m_restartAt = m_page.scrollPosition();
        m_restartTarget = *m_restartAt;
    }
    if (m_restartAt)
        m_watch->start();
    // The talent's page waits until the prompter's stands again.
    m_talent.follower()->setHeld(true);
    const QUrl shown = m_page.documentUrl();
    if (m_page.isScriptPage() || shown.isEmpty())
        m_page.loadPageLines(m_view.state().pagelines);
    else
        m_page.navigate(shown);
    tellOperator();
}

bool PageRestart::placeRestarted()
{
    const std::optional<int> position = std::exchange(m_restartAt, std::nullopt);
    if (!position)
        return false;
    m_page.scrollTo(0, *position, [this] {
        m_watch->stop();
        OutputFollower *follower = m_talent.follower();
        follower->setHeld(false);
        follower->follow();
        // A running smooth motion goes on; a ticking engine has gone on all along.
        m_engine.updateMotion();
        if (m_window.isActiveWindow())
            m_page.focusPage();
        emit restored();
    });
    return true;
}

void PageRestart::cancel()
{
    m_restartAt.reset();
    m_watch->stop();
}

void PageRestart::tellOperator()
{
    m_notice.show(i18n(str::PageRestarted).arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
}

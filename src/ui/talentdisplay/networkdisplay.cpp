#include "ui/talentdisplay/networkdisplay.h"

#include <QDateTime>

#include "ui/browser/browser.h"
#include "core/platform/translation.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/readingaids/pagenotice.h"
#include "core/prompter/scriptposition.h"
#include "core/remote/promptersnapshot.h"
#include "core/render/page.h"
#include "stringtable.h"

namespace {
// Until the leader tells its width, lines break as on a prompter window of the usual size.
constexpr int usualLayoutWidth = 1024;
} // namespace

NetworkDisplay::NetworkDisplay(const QList<QUrl> &leaders, bool mirror, bool rotate, QObject *parent)
    : QObject(parent), m_window(new OutputWindow(usualLayoutWidth)), m_mirror(mirror), m_rotate(rotate),
      m_layoutWidth(usualLayoutWidth), m_severalLeaders(leaders.size() > 1)
{
    m_window->notice->setTurn(mirror, rotate);
    m_window->clock->setTurn(mirror, rotate);
    m_window->notice->showNotice(i18n(str::FollowWaiting).arg(leaders.value(0).authority()), false);
    m_coast.setSingleShot(true);
    m_coast.setInterval(coastMs);
    connect(&m_coast, &QTimer::timeout, this, &NetworkDisplay::hold);
    connect(&m_link, &FollowerLink::scriptReceived, this, &NetworkDisplay::showScript);
    connect(&m_link, &FollowerLink::editReceived, this, &NetworkDisplay::editScript);
    connect(&m_link, &FollowerLink::stateReceived, this, &NetworkDisplay::follow);
    connect(&m_link, &FollowerLink::connectionChanged, this,
            [this](bool connected, const QString &) { connectionChanged(connected); });
    m_link.follow(leaders);
}

NetworkDisplay::~NetworkDisplay()
{
    delete m_window.data();
}

OutputWindow *NetworkDisplay::window() const
{
    return m_window;
}

void NetworkDisplay::open(QScreen *screen)
{
    m_window->open(screen);
}

void NetworkDisplay::showScript(const LeaderScript &script)
{
    if (!m_window)
        return;
    if (script.layoutWidth > 0 && script.layoutWidth != m_layoutWidth) {
        m_layoutWidth = script.layoutWidth;
        m_window->setLayoutWidth(script.layoutWidth);
    }
    // The page another prompter shows as well (its standby, after the prompter went) stays: it
    // is where the talent reads.
    if (!m_hasScript || script.pagelines != m_shownLines)
        m_window->showPage(withbodytag(script.pagelines, m_mirror, m_rotate), m_rotate);
    m_shownLines = script.pagelines;
    m_hasScript = true;
    m_edits = script.edits;
    m_window->notice->clearNotice();
    // The new page is placed where the leader's state last put it, once it stands.
    follow(m_last);
}

void NetworkDisplay::editScript(const PageEdit &edit)
{
    // The script asked for since holds the edit already.
    if (!m_window || !m_hasScript || edit.serial <= m_edits)
        return;
    if (edit.serial != m_edits + 1 || !m_window->editPage(edit, readingShare)) {
        m_link.askForScript();
        return;
    }
    m_edits = edit.serial;
}

void NetworkDisplay::follow(const PrompterSnapshot &state)
{
    m_last = state;
    if (!m_window || !m_hasScript)
        return;
    // The prompter's window changed its width: the lines break anew at once, as they do there.
    if (state.layoutWidth > 0 && state.layoutWidth != m_layoutWidth) {
        m_layoutWidth = state.layoutWidth;
        m_window->setLayoutWidth(state.layoutWidth);
    }
    const ScriptMotion motion = snapshotmotion(state);
    m_window->follow(motion.script, motion.time, motion.rate);
    m_window->setBlackout(state.blackout);
}

void NetworkDisplay::hold()
{
    // Where the page stands now, at rest: a display cut off from its prompter must not run on.
    if (!m_window || !m_hasScript || m_link.isConnected())
        return;
    m_window->follow(m_window->scriptPosition(), double(QDateTime::currentMSecsSinceEpoch()), 0);
    m_window->clock->showNotice(i18n(str::RemoteLost), false);
}

void NetworkDisplay::connectionChanged(bool connected)
{
    if (!m_window)
        return;
    if (connected) {
        m_coast.stop();
        m_window->clock->clearNotice();
        return;
    }
    // With another prompter to go to, the page moves on as it moved while that one answers.
    if (m_severalLeaders && m_hasScript) {
        if (!m_coast.isActive())
            m_coast.start();
        return;
    }
    hold();
    if (!m_hasScript)
        m_window->notice->showNotice(i18n(str::FollowWaiting).arg(m_link.leader().authority()), false);
}

#include "ui/talentdisplay/networkdisplay.h"

#include <QDateTime>

#include "ui/browser/browser.h"
#include "core/platform/translation.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/readingaids/pagenotice.h"
#include "core/prompter/scriptposition.h"
#include "core/render/page.h"
#include "stringtable.h"

namespace {
// Until the leader tells its width, lines break as on a prompter window of the usual size.
constexpr int usualLayoutWidth = 1024;
// Where the talent reads when the leader's edit names no line to hold: a third down, the habit.
constexpr double usualReadingShare = 1.0 / 3;
} // namespace

NetworkDisplay::NetworkDisplay(const QUrl &leader, bool mirror, bool rotate, QObject *parent)
    : QObject(parent), m_window(new OutputWindow(usualLayoutWidth)), m_leader(leader), m_mirror(mirror),
      m_rotate(rotate)
{
    m_window->notice->setTurn(mirror, rotate);
    m_window->clock->setTurn(mirror, rotate);
    m_window->notice->showNotice(i18n(str::FollowWaiting).arg(m_leader.authority()), false);
    connect(&m_link, &FollowerLink::scriptReceived, this, &NetworkDisplay::showScript);
    connect(&m_link, &FollowerLink::editReceived, this, &NetworkDisplay::editScript);
    connect(&m_link, &FollowerLink::stateReceived, this, &NetworkDisplay::follow);
    connect(&m_link, &FollowerLink::connectionChanged, this,
            [this](bool connected, const QString &) { connectionChanged(connected); });
    m_link.follow(leader);
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
    if (script.layoutWidth > 0)
        m_window->setLayoutWidth(script.layoutWidth);
    m_window->showPage(withbodytag(script.pagelines, m_mirror, m_rotate), m_rotate);
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
    if (edit.serial != m_edits + 1 || !m_window->editPage(edit, usualReadingShare)) {
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
    const double script = scriptposition(state.position, ScriptPage{state.pageBottom, state.upsideDown, 1.0});
    const double pageRate = state.running ? state.rate : 0;
    m_window->follow(script, state.time, state.upsideDown ? -pageRate : pageRate);
    m_window->setBlackout(state.blackout);
}

void NetworkDisplay::hold()
{
    // Where the page stands now, at rest: a display cut off from its prompter must not run on.
    if (!m_window || !m_hasScript)
        return;
    m_window->follow(m_window->scriptPosition(), double(QDateTime::currentMSecsSinceEpoch()), 0);
}

void NetworkDisplay::connectionChanged(bool connected)
{
    if (!m_window)
        return;
    if (connected) {
        m_window->clock->clearNotice();
        return;
    }
    hold();
    if (m_hasScript)
        m_window->clock->showNotice(i18n(str::RemoteLost), false);
    else
        m_window->notice->showNotice(i18n(str::FollowWaiting).arg(m_leader.authority()), false);
}

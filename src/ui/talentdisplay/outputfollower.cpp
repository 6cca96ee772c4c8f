#include "ui/talentdisplay/outputfollower.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include "ui/browser/browser.h"
#include "ui/talentdisplay/outputwindow.h"
#include "core/prompter/scriptposition.h"

namespace {

QScreen *screenNamed(const QString &name)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

} // namespace

OutputFollower::OutputFollower(Browser *prompterPage, QObject *parent)
    : QObject(parent), m_prompterPage(prompterPage)
{
    connect(prompterPage, &Browser::scrollPositionChanged, this, &OutputFollower::follow);
    prompterPage->installEventFilter(this);
}

bool OutputFollower::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_prompterPage && event->type() == QEvent::Resize && m_window)
        m_window->setLayoutWidth(m_prompterPage->width());
    return QObject::eventFilter(watched, event);
}

OutputFollower::~OutputFollower()
{
    // The prompter's page may still answer a step while the window goes down with its page; the
    // answer must not reach the half destroyed window.
    disconnect(m_prompterPage, nullptr, this, nullptr);
    delete m_window.data();
}

OutputWindow *OutputFollower::window() const
{
    return m_window;
}

void OutputFollower::open(const QString &screenName)
{
    if (m_window)
        return;
    m_window = new OutputWindow(m_prompterPage->width());
    connect(m_window, &OutputWindow::keyPressed, this, &OutputFollower::keyPressed);
    connect(m_window, &OutputWindow::screenChanged, this, &OutputFollower::screenChanged);
    connect(m_window, &OutputWindow::pageRestarted, this, &OutputFollower::outputPageRestarted);
    connect(m_window, &QObject::destroyed, this, &OutputFollower::changed);
    m_window->setBlackout(m_blackout);
    m_window->open(screenNamed(screenName));
    emit changed();
}

void OutputFollower::close()
{
    if (OutputWindow *window = m_window) {
        m_window.clear();
        window->close();
    }
}

void OutputFollower::setBlackout(bool blackout)
{
    if (blackout == m_blackout)
        return;
    m_blackout = blackout;
    if (m_window)
        m_window->setBlackout(blackout);
    emit changed();
}

void OutputFollower::showPage(const QStringList &pagelines, bool upsideDown)
{
    if (m_window)
        m_window->showPage(pagelines, upsideDown);
}

void OutputFollower::follow()
{
    followFrom(m_prompterPage->scrollPosition(), m_prompterPage->positionTime(),
               m_prompterPage->smoothMotion());
}

void OutputFollower::followFrom(int position, double atTime, double pageRate)
{
    // Only script pages are shown there, and a page that is still being put at its start
    // stands nowhere yet.
    if (!m_window || m_held || !m_prompterPage->isScriptPage() || !m_prompterPage->isDocumentComplete())
        return;
    const bool turned = m_prompterUpsideDown;
    const double script = scriptposition(position, ScriptPage{m_prompterPage->scrollBottom(), turned, 1.0});
    m_window->follow(script, atTime, turned ? -pageRate : pageRate);
}

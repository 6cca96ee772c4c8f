#include "ui/talentdisplay/talentdisplay.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "core/prompter/outputscreen.h"
#include "core/render/page.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/outputwindow.h"

TalentDisplay::TalentDisplay(const PrompterParts &parts, QObject *parent)
    : QObject(parent), m_view(parts.view), m_window(parts.window),
      m_follower(new OutputFollower(&parts.page, this))
{
    setObjectName(QStringLiteral("talentdisplay"));
    m_follower->setObjectName(QStringLiteral("follower"));
    connect(m_follower, &OutputFollower::screenChanged, this,
            [this](const QString &name) { m_screenName = name; });
    PrompterCommands &commands = parts.commands;
    connect(m_follower, &OutputFollower::changed, &commands, &PrompterCommands::notifyStateChanged);
    commands.handle(RemoteAction::Blackout, [this](const RemoteCommand &command, CommandSource) {
        m_follower->setBlackout(command.on.value_or(!m_follower->isBlackout()));
        return QString();
    });
    commands.addStatePart([this](PrompterSnapshot &state) {
        state.dualDisplay = window() != nullptr;
        state.blackout = m_follower->isBlackout();
    });
}

TalentDisplay::~TalentDisplay()
{
    // The follower goes before the page it follows.
    delete m_follower;
}

OutputWindow *TalentDisplay::window() const
{
    return m_follower->window();
}

void TalentDisplay::open()
{
    QStringList names;
    for (const QScreen *screen : QGuiApplication::screens())
        names << screen->name();
    m_follower->open(chooseoutputscreen(names, m_window.screen()->name(), m_screenName));
    // The output window takes no focus; where the platform activates new windows all the same,
    // the prompter takes it back.
    m_window.activateWindow();
    emit opened();
    loadPage();
    m_follower->follow();
}

void TalentDisplay::close()
{
    m_follower->close();
}

void TalentDisplay::toggle()
{
    if (window())
        close();
    else
        open();
}

void TalentDisplay::loadPage()
{
    if (window())
        m_follower->showPage(
            withbodytag(m_view.state().pagelines, m_view.mirroredRemotely(), m_view.upsideDownRemotely()),
            m_view.upsideDownRemotely());
}

void TalentDisplay::editPage(const PageEdit &edit, double readingShare)
{
    OutputWindow *output = window();
    if (!output)
        return;
    // A display opened since the edit shows the edited page already.
    const QStringList edited =
        withbodytag(m_view.state().pagelines, m_view.mirroredRemotely(), m_view.upsideDownRemotely());
    if (output->pagelines() == edited)
        return;
    if (!output->editPage(edit, readingShare))
        loadPage();
}

#include "ui/prompter/prompterremote.h"

#include <QEvent>

#include "core/commands/commandmap.h"
#include "ui/browser/browser.h"
#include "ui/editlive/editlive.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"

PrompterRemote::PrompterRemote(PrompterCommands &commands, const PrompterView &view, Browser &page,
                               QObject *parent)
    : QObject(parent), m_commands(commands), m_view(view), m_page(page)
{
    connect(&commands, &PrompterCommands::stateChanged, this, &PrompterRemote::stateChanged);
    connect(&page, &Browser::documentComplete, this, [this] {
        ++m_generation;
        emit scriptChanged();
        emit stateChanged();
    });
    page.installEventFilter(this);
}

bool PrompterRemote::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_page && event->type() == QEvent::Resize)
        emit stateChanged();
    return QObject::eventFilter(watched, event);
}

void PrompterRemote::setLiveEditing(EditLive *live)
{
    m_live = live;
    connect(live, &EditLive::pageEdited, this, [this](PageEdit edit) {
        edit.serial += m_otherEdits;
        emit scriptEdited(edit);
    });
    connect(live, &EditLive::paragraphsChanged, this, &PrompterRemote::paragraphsChanged);
}

void PrompterRemote::tellPageEdit(PageEdit edit)
{
    ++m_otherEdits;
    edit.serial = (m_live ? m_live->editSerial() : 0) + m_otherEdits;
    emit scriptEdited(edit);
}

QString PrompterRemote::perform(const RemoteCommand &command)
{
    // The operator's own commands (dialogs, the menu's windows) are not the remote controls' to give.
    if (!commandfor(command.action).remote)
        return {};
    return m_commands.perform(command, CommandSource::Remote);
}

void PrompterRemote::performAnswering(const RemoteCommand &command, const Answer &answer)
{
    if (!commandfor(command.action).remote) {
        answer({});
        return;
    }
    m_commands.perform(command, CommandSource::Remote, answer);
}

PrompterSnapshot PrompterRemote::snapshot() const
{
    PrompterSnapshot state = m_commands.snapshot();
    state.layoutWidth = m_page.width();
    return state;
}

ScriptCopy PrompterRemote::script() const
{
    const PromptState &state = m_view.state();
    return {state.scriptpath,
            state.pagelines,
            m_generation,
            m_page.width(),
            (m_live ? m_live->editSerial() : 0) + m_otherEdits,
            state.scriptlines,
            state.scripttext == ScriptText::Markup};
}

ScriptParagraphs PrompterRemote::paragraphs()
{
    return m_live ? m_live->paragraphs() : ScriptParagraphs{};
}

ParagraphEdit PrompterRemote::editParagraph(int index, const QString &text)
{
    return m_live ? m_live->editParagraph(index, text) : ParagraphEdit::NoSuchParagraph;
}

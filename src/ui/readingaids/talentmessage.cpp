#include "ui/readingaids/talentmessage.h"

#include <QAction>
#include <QMenu>

#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/readingaids/noticeboard.h"
#include "ui/readingaids/readingaids.h"
#include "ui/toolkit/dialogs.h"

TalentMessage::TalentMessage(const PrompterParts &parts, QMenu &menu, ReadingAids &aids, NoticeBoard &notices,
                             QObject *parent)
    : QObject(parent), m_commands(parts.commands), m_aids(aids), m_notices(notices)
{
    setObjectName(QStringLiteral("talentmessage"));
    const auto item = [&menu, &parts](const char *name) {
        auto *action = menu.addAction(QString());
        action->setObjectName(QLatin1String(name));
        parts.commands.bindMenuEntry(action);
        return action;
    };
    menu.addSeparator();
    m_ask = item("TalentMessage1");
    m_clear = item("ClearTalentMessage1");
    m_flash = item("FlashTalentMessage1");
    m_flash->setCheckable(true);
    connect(m_flash, &QAction::triggered, this, [this](bool flash) {
        m_aids.change([flash](ReadingAidSettings &aids) { aids.flashMessages = flash; });
    });
    connect(&aids, &ReadingAids::changed, this, [this] {
        showAids();
        show(m_text);
    });

    PrompterCommands &commands = parts.commands;
    commands.handle(RemoteAction::TalentMessage, [this](const RemoteCommand &command, CommandSource) {
        show(command.text);
        return QString();
    });
    commands.handle(RemoteAction::AskTalentMessage, [this](const RemoteCommand &, CommandSource) {
        ask();
        return QString();
    });
    commands.handle(RemoteAction::ClearTalentMessage, [this](const RemoteCommand &, CommandSource) {
        clear();
        return QString();
    });
    commands.addStatePart([this](PrompterSnapshot &state) { state.talentMessage = m_text; });
}

void TalentMessage::setTexts()
{
    m_ask->setText(i18n(str::MenuTalentMessage));
    m_clear->setText(i18n(str::MenuClearTalentMessage));
    m_flash->setText(i18n(str::MenuFlashTalentMessage));
    showAids();
}

void TalentMessage::showAids()
{
    m_clear->setEnabled(!m_text.isEmpty());
    m_flash->setChecked(m_aids.values().flashMessages);
}

void TalentMessage::ask()
{
    const std::optional<QString> text =
        Dialogs::current().askText(i18n(str::TalentMessageCaption), i18n(str::TalentMessageLabel), m_text);
    if (text)
        show(*text);
}

void TalentMessage::show(const QString &text)
{
    m_text = text.simplified();
    showAids();
    m_notices.setMessage(m_text, m_aids.values().flashMessages);
    m_commands.notifyStateChanged();
}

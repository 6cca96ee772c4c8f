#include "ui/prompter/promptercommands.h"

#include <QAction>

PrompterCommands::PrompterCommands(QObject *parent) : QObject(parent) {}

void PrompterCommands::handle(RemoteAction action, Handler handler)
{
    m_handlers.insert(int(action), std::move(handler));
}

void PrompterCommands::perform(const RemoteCommand &command, CommandSource source, const Answer &answer)
{
    if (m_relay && m_relay(command, answer))
        return;
    answer(performHere(command, source));
}

QString PrompterCommands::perform(const RemoteCommand &command, CommandSource source)
{
    const Answer tellRefusal = [this](const QString &error) {
        if (!error.isEmpty())
            emit relayRefused(error);
    };
    if (m_relay && m_relay(command, tellRefusal))
        return {};
    return performHere(command, source);
}

QString PrompterCommands::performHere(const RemoteCommand &command, CommandSource source)
{
    if (!commandfor(command.action).keepsVoiceFollowing)
        emit takingOver();
    const auto handler = m_handlers.constFind(int(command.action));
    // A command whose feature is not part of this prompter does nothing.
    return handler == m_handlers.constEnd() ? QString() : (*handler)(command, source);
}

QString PrompterCommands::perform(RemoteAction action, CommandSource source)
{
    RemoteCommand command;
    command.action = action;
    return perform(command, source);
}

void PrompterCommands::addInputGuard(std::function<bool()> guard)
{
    m_guards << std::move(guard);
}

bool PrompterCommands::inputGuarded() const
{
    for (const std::function<bool()> &guard : m_guards)
        if (guard())
            return true;
    return false;
}

void PrompterCommands::bindMenuEntry(QAction *entry)
{
    const CommandBinding *binding = nullptr;
    for (const CommandBinding &candidate : commandbindings())
        if (candidate.menuEntry && entry->objectName() == QLatin1String(candidate.menuEntry))
            binding = &candidate;
    if (!binding)
        return;
    if (binding->key != 0) {
        // Shown beside the entry; the key itself acts through the window's key handling,
        // wherever the focus is.
        entry->setShortcut(QKeySequence(binding->key));
        entry->setShortcutContext(Qt::WidgetShortcut);
    }
    const RemoteAction action = binding->action;
    const bool isSwitch = binding->argument == RemoteArgument::Switch;
    connect(entry, &QAction::triggered, this, [this, action, isSwitch, entry](bool checked) {
        RemoteCommand command;
        command.action = action;
        if (isSwitch && entry->isCheckable())
            command.on = checked;
        perform(command, CommandSource::Menu);
    });
}

void PrompterCommands::addStatePart(std::function<void(PrompterSnapshot &)> part)
{
    m_stateParts << std::move(part);
}

PrompterSnapshot PrompterCommands::snapshot() const
{
    PrompterSnapshot snapshot;
    for (const std::function<void(PrompterSnapshot &)> &part : m_stateParts)
        part(snapshot);
    return snapshot;
}

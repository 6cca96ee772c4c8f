#pragma once

#include <QList>

#include "core/remote/remotetarget.h"

// A prompter that only remembers what it was told: queue entries from 3 on do not exist, and a
// speed set is told back in the state.
class FakeTarget : public RemoteTarget {
public:
    QString perform(const RemoteCommand &command) override
    {
        if (command.action == RemoteAction::OpenQueueEntry && command.value >= 3)
            return QStringLiteral("the queue has no entry %1").arg(command.value);
        commands << command;
        if (command.action == RemoteAction::SetSpeed)
            state.speed = command.value;
        return {};
    }
    PrompterSnapshot snapshot() const override { return state; }
    ScriptCopy script() const override
    {
        return {QStringLiteral("/news.txt"), {QStringLiteral("Good evening<br>")}, 4};
    }

    QList<RemoteCommand> commands;
    PrompterSnapshot state;
};

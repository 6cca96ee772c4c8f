#pragma once

// What must hold of any bytes a remote control sends as a command: they are read without a crash
// or a hang, into a command or a reason for the peer, never both and never neither; a command's
// number lies within what any command allows, a script within its size; and reading the same
// bytes again gives the same. Shared by the fuzzing harness and the corpus test.
#include <cstdlib>

#include <QByteArray>
#include <QString>

#include "core/remote/remotecommand.h"

// What must hold of a command read from a peer's bytes: a command or a reason for the peer, never
// both (and never neither, unless `mayAskNothing`: a control surface's button released); a number
// within what any command allows, a script within its size.
inline QString commandfault(const ParsedCommand &parsed, bool mayAskNothing = false)
{
    if (parsed.command && !parsed.error.isEmpty())
        return QStringLiteral("a command and a reason");
    if (!parsed.command && parsed.error.isEmpty() && !mayAskNothing)
        return QStringLiteral("neither a command nor a reason");
    if (parsed.error.size() > 400)
        return QStringLiteral("a reason of %1 characters").arg(parsed.error.size());
    if (parsed.command) {
        const RemoteCommand &command = *parsed.command;
        if (std::abs(qint64(command.value)) > 100000000)
            return QStringLiteral("the number %1 is out of every range").arg(command.value);
        if (command.text.toUtf8().size() > maxRemoteScriptBytes)
            return QStringLiteral("a script larger than allowed");
        if (command.action == RemoteAction::LoadScript && command.name.isEmpty())
            return QStringLiteral("a script without a name");
    }
    return {};
}

inline QString replayremote(const QByteArray &bytes)
{
    const ParsedCommand parsed = parsecommandmessage(bytes);
    if (const QString fault = commandfault(parsed); !fault.isEmpty())
        return fault;
    const ParsedCommand again = parsecommandmessage(bytes);
    if (again.command != parsed.command || again.error != parsed.error)
        return QStringLiteral("read differently the second time");
    return {};
}

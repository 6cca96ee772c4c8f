#pragma once

#include <QList>

#include "core/remote/oscpacket.h"
#include "core/remote/promptersnapshot.h"
#include "core/remote/remotecommand.h"

// The control API's commands as OSC addresses: "/vantell/COMMAND" with the command's value as
// the message's argument ("/vantell/speed 120", "/vantell/mirror T", "/vantell/script NAME TEXT").
//
// Control surfaces send a button's press as 1 and its release as 0: a command that takes no
// value acts on a press and lets the release pass, and a switch is turned on by a number other
// than 0 and off by 0.
namespace osc {
inline const QString prefix = QStringLiteral("/vantell/");
inline const QString subscribe = QStringLiteral("/vantell/subscribe");
inline const QString unsubscribe = QStringLiteral("/vantell/unsubscribe");
inline const QString token = QStringLiteral("/vantell/token");
inline const QString ok = QStringLiteral("/vantell/ok");
inline const QString error = QStringLiteral("/vantell/error");
inline const QString statePrefix = QStringLiteral("/vantell/state/");
} // namespace osc

// The command `message` asks for. Neither command nor error: a button's release, which asks for
// nothing.
ParsedCommand osccommand(const OscMessage &message);

// The state as OSC messages, one per value ("/vantell/state/speed 120"); switches go as 1 and 0,
// which every surface shows. Only the values that differ from `before` (all when there is none).
QList<OscMessage> oscstate(const PrompterSnapshot &state, const PrompterSnapshot *before = nullptr);

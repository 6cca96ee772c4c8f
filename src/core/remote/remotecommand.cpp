#include "core/remote/remotecommand.h"

#include <array>
#include <cmath>

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {

using Argument = RemoteArgument;

struct CommandSpec {
    const char *name;
    RemoteAction action;
    Argument argument;
    int minimum = 0;
    int maximum = 0;
};

constexpr int maxJumpLines = 1000000;
constexpr int maxPixels = 100000000;

constexpr std::array specs{
    CommandSpec{"speed-up", RemoteAction::SpeedUp, Argument::None},
    CommandSpec{"speed-down", RemoteAction::SpeedDown, Argument::None},
    CommandSpec{"speed", RemoteAction::SetSpeed, Argument::Number, -300, 300},
    CommandSpec{"coarse-up", RemoteAction::CoarseUp, Argument::None},
    CommandSpec{"coarse-down", RemoteAction::CoarseDown, Argument::None},
    CommandSpec{"coarse", RemoteAction::SetCoarse, Argument::Number, 1, 10},
    CommandSpec{"pause", RemoteAction::Pause, Argument::None},
    CommandSpec{"resume", RemoteAction::Resume, Argument::None},
    CommandSpec{"toggle-pause", RemoteAction::TogglePause, Argument::None},
    CommandSpec{"reverse", RemoteAction::Reverse, Argument::None},
    CommandSpec{"reset", RemoteAction::Reset, Argument::None},
    CommandSpec{"next-script", RemoteAction::NextScript, Argument::None},
    CommandSpec{"previous-script", RemoteAction::PreviousScript, Argument::None},
    CommandSpec{"queue-entry", RemoteAction::OpenQueueEntry, Argument::Number, 0, 1000000},
    CommandSpec{"mirror", RemoteAction::Mirror, Argument::Switch},
    CommandSpec{"rotate", RemoteAction::Rotate, Argument::Switch},
    CommandSpec{"dual-display", RemoteAction::DualDisplay, Argument::Switch},
    CommandSpec{"blackout", RemoteAction::Blackout, Argument::Switch},
    CommandSpec{"jump-lines", RemoteAction::JumpLines, Argument::Number, -maxJumpLines, maxJumpLines},
    CommandSpec{"jump-pixels", RemoteAction::JumpPixels, Argument::Number, -maxPixels, maxPixels},
    CommandSpec{"position", RemoteAction::SetPosition, Argument::Number, 0, maxPixels},
    CommandSpec{"script", RemoteAction::LoadScript, Argument::Script},
    CommandSpec{"next-marker", RemoteAction::NextMarker, Argument::None},
    CommandSpec{"previous-marker", RemoteAction::PreviousMarker, Argument::None},
    CommandSpec{"marker", RemoteAction::JumpToMarker, Argument::Number, 0, 1000000},
    CommandSpec{"show-clock-start", RemoteAction::StartShowClock, Argument::None},
    CommandSpec{"show-clock-stop", RemoteAction::StopShowClock, Argument::None},
    CommandSpec{"show-clock-reset", RemoteAction::ResetShowClock, Argument::None},
    CommandSpec{"talent-message", RemoteAction::TalentMessage, Argument::Text},
    CommandSpec{"voice-following", RemoteAction::VoiceFollowing, Argument::Switch},
};

RemoteCommand commandFor(RemoteAction action)
{
    RemoteCommand command;
    command.action = action;
    return command;
}

ParsedCommand failure(const QString &error)
{
    return {std::nullopt, error};
}

ParsedCommand numbered(const CommandSpec &spec, const QJsonValue &argument)
{
    const QString name = QLatin1String(spec.name);
    if (!argument.isDouble())
        return failure(QStringLiteral("\"%1\" needs a whole number from %2 to %3")
                           .arg(name)
                           .arg(spec.minimum)
                           .arg(spec.maximum));
    const double value = argument.toDouble();
    if (!std::isfinite(value) || value != std::trunc(value))
        return failure(QStringLiteral("\"%1\" needs a whole number, not %2").arg(name).arg(value));
    if (value < spec.minimum || value > spec.maximum)
        return failure(QStringLiteral("\"%1\" must lie from %2 to %3, not %4")
                           .arg(name)
                           .arg(spec.minimum)
                           .arg(spec.maximum)
                           .arg(value, 0, 'f', 0));
    RemoteCommand command = commandFor(spec.action);
    command.value = static_cast<int>(value);
    return {command, {}};
}

ParsedCommand switched(const CommandSpec &spec, const QJsonValue &argument)
{
    RemoteCommand command = commandFor(spec.action);
    if (argument.isBool())
        command.on = argument.toBool();
    else if (!argument.isUndefined() && !argument.isNull())
        return failure(QStringLiteral("\"%1\" takes true, false or nothing (to switch it over)")
                           .arg(QLatin1String(spec.name)));
    return {command, {}};
}

ParsedCommand script(const QJsonValue &argument)
{
    const QJsonObject body = argument.toObject();
    const QJsonValue text = body.value(QLatin1String("text"));
    if (!text.isString())
        return failure(QStringLiteral("\"script\" needs its \"text\" as a string"));
    RemoteCommand command = commandFor(RemoteAction::LoadScript);
    command.text = text.toString();
    if (command.text.toUtf8().size() > maxRemoteScriptBytes)
        return failure(QStringLiteral("the script is larger than %1 bytes").arg(maxRemoteScriptBytes));
    command.name = body.value(QLatin1String("name")).toString().trimmed();
    if (command.name.isEmpty())
        command.name = QStringLiteral("remote script");
    return {command, {}};
}

ParsedCommand message(const CommandSpec &spec, const QJsonValue &argument)
{
    if (!argument.isString())
        return failure(QStringLiteral("\"%1\" needs its text as a string (empty to dismiss it)")
                           .arg(QLatin1String(spec.name)));
    RemoteCommand command = commandFor(spec.action);
    command.text = argument.toString().trimmed();
    if (command.text.size() > maxTalentMessageLength)
        return failure(QStringLiteral("\"%1\" is at most %2 characters long")
                           .arg(QLatin1String(spec.name))
                           .arg(maxTalentMessageLength));
    return {command, {}};
}

} // namespace

ParsedCommand remotecommand(const QString &name, const QJsonValue &argument)
{
    for (const CommandSpec &spec : specs) {
        if (name != QLatin1String(spec.name))
            continue;
        switch (spec.argument) {
        case Argument::None:
            if (!argument.isUndefined() && !argument.isNull())
                return failure(QStringLiteral("\"%1\" takes no value").arg(name));
            return {commandFor(spec.action), {}};
        case Argument::Number:
            return numbered(spec, argument);
        case Argument::Switch:
            return switched(spec, argument);
        case Argument::Script:
            return script(argument);
        case Argument::Text:
            return message(spec, argument);
        }
    }
    return failure(QStringLiteral("unknown command \"%1\"").arg(name.left(64)));
}

ParsedCommand parsecommandmessage(const QByteArray &json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return failure(
            QStringLiteral("malformed JSON at byte %1: %2").arg(error.offset).arg(error.errorString()));
    if (!document.isObject())
        return failure(QStringLiteral("a command is a JSON object"));
    const QJsonObject message = document.object();
    const QJsonValue name = message.value(QLatin1String("command"));
    if (!name.isString())
        return failure(QStringLiteral("a command needs its name as \"command\""));
    if (name.toString() == QLatin1String("script"))
        return remotecommand(name.toString(), message);
    return remotecommand(name.toString(), message.value(QLatin1String("value")));
}

std::optional<RemoteArgument> remotecommandargument(const QString &name)
{
    for (const CommandSpec &spec : specs)
        if (name == QLatin1String(spec.name))
            return spec.argument;
    return std::nullopt;
}

QStringList remotecommandnames()
{
    QStringList names;
    for (const CommandSpec &spec : specs)
        names << QLatin1String(spec.name);
    return names;
}

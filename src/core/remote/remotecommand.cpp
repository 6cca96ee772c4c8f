#include "core/remote/remotecommand.h"

#include <cmath>

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "core/commands/commandmap.h"
#include "core/rundown/backtiming.h"

namespace {

using Argument = RemoteArgument;

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

ParsedCommand numbered(const CommandBinding &spec, const QJsonValue &argument)
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

ParsedCommand switched(const CommandBinding &spec, const QJsonValue &argument)
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

ParsedCommand message(const CommandBinding &spec, const QJsonValue &argument)
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

ParsedCommand timeofday(const CommandBinding &spec, const QJsonValue &argument)
{
    const QString name = QLatin1String(spec.name);
    if (!argument.isString())
        return failure(QStringLiteral("\"%1\" needs a time of day as a string, \"HH:MM:SS\" (empty for none)")
                           .arg(name));
    RemoteCommand command = commandFor(spec.action);
    const QString text = argument.toString().trimmed();
    if (text.isEmpty())
        return {command, {}};
    const std::optional<QTime> time = parseshowend(text);
    if (!time)
        return failure(
            QStringLiteral("\"%1\" needs a time of day \"HH:MM:SS\" from 00:00:00 to 23:59:59, not \"%2\"")
                .arg(name, text.left(32)));
    command.text = time->toString(QStringLiteral("HH:mm:ss"));
    return {command, {}};
}

} // namespace

ParsedCommand remotecommand(const QString &name, const QJsonValue &argument)
{
    for (const CommandBinding &spec : commandbindings()) {
        if (!spec.remote || name != QLatin1String(spec.name))
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
        case Argument::Time:
            return timeofday(spec, argument);
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

QJsonObject commandmessage(const RemoteCommand &command)
{
    const CommandBinding &spec = commandfor(command.action);
    QJsonObject message{{QStringLiteral("command"), QLatin1String(spec.name)}};
    switch (spec.argument) {
    case Argument::None:
        break;
    case Argument::Number:
        message.insert(QStringLiteral("value"), command.value);
        break;
    case Argument::Switch:
        if (command.on)
            message.insert(QStringLiteral("value"), *command.on);
        break;
    case Argument::Script:
        message.insert(QStringLiteral("name"), command.name);
        message.insert(QStringLiteral("text"), command.text);
        break;
    case Argument::Text:
    case Argument::Time:
        message.insert(QStringLiteral("value"), command.text);
        break;
    }
    return message;
}

std::optional<RemoteArgument> remotecommandargument(const QString &name)
{
    const CommandBinding *spec = commandnamed(name);
    if (spec && spec->remote)
        return spec->argument;
    return std::nullopt;
}

QStringList remotecommandnames()
{
    QStringList names;
    for (const CommandBinding &spec : commandbindings())
        if (spec.remote)
            names << QLatin1String(spec.name);
    return names;
}

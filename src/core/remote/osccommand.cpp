#include "core/remote/osccommand.h"

#include <QFileInfo>

#include "core/engine/timereadout.h"
#include "core/rundown/backtiming.h"

namespace {

ParsedCommand failure(const QString &error)
{
    return {std::nullopt, error};
}

bool isNumber(const QVariant &value)
{
    const int type = value.typeId();
    return type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double;
}

QJsonValue jsonvalue(const QVariant &value)
{
    if (!value.isValid())
        return QJsonValue(QJsonValue::Null);
    if (isNumber(value))
        return value.toDouble();
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return value.toString();
}

} // namespace

ParsedCommand osccommand(const OscMessage &message)
{
    if (!message.path.startsWith(osc::prefix))
        return failure(QStringLiteral("OSC addresses start with %1").arg(osc::prefix));
    const QString name = message.path.mid(osc::prefix.size());
    const std::optional<RemoteArgument> argument = remotecommandargument(name);
    if (!argument)
        return remotecommand(name, QJsonValue());
    const QVariantList &values = message.arguments;
    if (*argument == RemoteArgument::Script) {
        if (values.size() != 2 || values.at(0).typeId() != QMetaType::QString ||
            values.at(1).typeId() != QMetaType::QString)
            return failure(QStringLiteral("\"script\" takes two strings: the name and the text"));
        return remotecommand(name, QJsonObject{{QStringLiteral("name"), values.at(0).toString()},
                                               {QStringLiteral("text"), values.at(1).toString()}});
    }
    if (values.size() > 1)
        return failure(QStringLiteral("\"%1\" takes one value at most").arg(name));
    if (values.isEmpty())
        return remotecommand(name, QJsonValue());
    const QVariant &value = values.constFirst();
    if (*argument == RemoteArgument::None && isNumber(value)) {
        if (value.toDouble() == 0)
            return {};
        return remotecommand(name, QJsonValue());
    }
    if (*argument == RemoteArgument::Switch && isNumber(value))
        return remotecommand(name, value.toDouble() != 0);
    return remotecommand(name, jsonvalue(value));
}

QList<OscMessage> oscstate(const PrompterSnapshot &state, const PrompterSnapshot *before)
{
    QList<OscMessage> messages;
    const auto tell = [&](const char *name, const auto &value, const auto &previous, const QVariant &sent) {
        if (!before || value != previous)
            messages.append(OscMessage{osc::statePrefix + QLatin1String(name), {sent}});
    };
    const PrompterSnapshot none;
    const PrompterSnapshot &was = before ? *before : none;
    tell("position", state.position, was.position, state.position);
    tell("pageBottom", state.pageBottom, was.pageBottom, state.pageBottom);
    tell("speed", state.speed, was.speed, state.speed);
    tell("coarse", state.coarse, was.coarse, state.coarse);
    tell("running", state.running, was.running, int(state.running));
    tell("script", state.scriptPath, was.scriptPath, QFileInfo(state.scriptPath).fileName());
    tell("queuePosition", state.queuePosition, was.queuePosition, state.queuePosition);
    tell("queueLength", state.queueLength, was.queueLength, state.queueLength);
    tell("elapsed", clocktext(state.elapsedMs), clocktext(was.elapsedMs), clocktext(state.elapsedMs));
    tell("remaining", clocktext(state.remainingMs), clocktext(was.remainingMs), clocktext(state.remainingMs));
    tell("smoothRate", state.smoothRate, was.smoothRate, state.smoothRate);
    tell("mirror", state.mirror, was.mirror, int(state.mirror));
    tell("rotate", state.rotate, was.rotate, int(state.rotate));
    tell("dualDisplay", state.dualDisplay, was.dualDisplay, int(state.dualDisplay));
    tell("blackout", state.blackout, was.blackout, int(state.blackout));
    tell("role", state.role, was.role, state.role);
    tell("continuous", state.continuous, was.continuous, int(state.continuous));
    tell("storyIndex", state.storyIndex, was.storyIndex, state.storyIndex);
    tell("storyName", state.storyName, was.storyName, state.storyName);
    tell("storyCount", state.storyCount, was.storyCount, state.storyCount);
    // A surface shows text as it is: the over/under as the status line shows it, empty unplanned.
    const QString overUnder = state.overUnderMs ? overundertext(*state.overUnderMs) : QString();
    const QString wasOverUnder = was.overUnderMs ? overundertext(*was.overUnderMs) : QString();
    tell("overUnder", overUnder, wasOverUnder, overUnder);
    return messages;
}

#include "core/remote/promptersnapshot.h"

#include <cmath>

#include <QFileInfo>

#include "core/engine/timereadout.h"
#include "core/remote/readingaidsmessage.h"
#include "core/remote/remotecommand.h"
#include "core/rundown/backtiming.h"

QJsonObject snapshotmessage(const PrompterSnapshot &state)
{
    QJsonObject message{
        {QStringLiteral("type"), QStringLiteral("state")},
        {QStringLiteral("position"), state.position},
        {QStringLiteral("pageBottom"), state.pageBottom},
        {QStringLiteral("time"), state.time},
        {QStringLiteral("speed"), state.speed},
        {QStringLiteral("coarse"), state.coarse},
        {QStringLiteral("running"), state.running},
        {QStringLiteral("rate"), state.rate},
        {QStringLiteral("smoothRate"), state.smoothRate},
        {QStringLiteral("script"), state.scriptPath},
        {QStringLiteral("scriptName"), QFileInfo(state.scriptPath).fileName()},
        {QStringLiteral("queuePosition"), state.queuePosition},
        {QStringLiteral("queueLength"), state.queueLength},
        {QStringLiteral("elapsedMs"), state.elapsedMs},
        {QStringLiteral("elapsed"), clocktext(state.elapsedMs)},
        {QStringLiteral("remainingMs"), state.remainingMs},
        {QStringLiteral("remaining"), clocktext(state.remainingMs)},
        {QStringLiteral("mirror"), state.mirror},
        {QStringLiteral("rotate"), state.rotate},
        {QStringLiteral("upsideDown"), state.upsideDown},
        {QStringLiteral("dualDisplay"), state.dualDisplay},
        {QStringLiteral("blackout"), state.blackout},
        {QStringLiteral("voiceFollowing"), state.voiceFollowing},
        {QStringLiteral("role"), state.role},
        {QStringLiteral("layoutWidth"), state.layoutWidth},
        {QStringLiteral("continuous"), state.continuous},
        {QStringLiteral("storyIndex"), state.storyIndex},
        {QStringLiteral("storyName"), state.storyName},
        {QStringLiteral("storyCount"), state.storyCount},
        {QStringLiteral("overUnderMs"),
         state.overUnderMs ? QJsonValue(double(*state.overUnderMs)) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("overUnder"), state.overUnderMs ? overundertext(*state.overUnderMs) : QString()},
        {QStringLiteral("talentMessage"), state.talentMessage},
        {QStringLiteral("countdownLeft"), state.countdownLeft},
    };
    if (state.readingAids)
        message.insert(QStringLiteral("readingAids"), readingaidsmessage(*state.readingAids));
    if (state.showClockMs) {
        message.insert(QStringLiteral("showClockMs"), double(*state.showClockMs));
        message.insert(QStringLiteral("showClockRunning"), state.showClockRunning);
    }
    if (!state.standby.isEmpty())
        message.insert(QStringLiteral("standby"), state.standby);
    return message;
}

namespace {

// The largest page and the fastest motion a prompter can have, far beyond any real one.
constexpr double largestPosition = 1e9;
constexpr double fastestRate = 1e6;
constexpr double widestLayout = 100000;
constexpr double longestShowMs = 1e11; // three years
constexpr double longestCountdown = 3600;

std::optional<double> number(const QJsonObject &message, const char *name, double low, double high)
{
    const QJsonValue value = message.value(QLatin1String(name));
    if (!value.isDouble())
        return std::nullopt;
    const double read = value.toDouble();
    if (!std::isfinite(read) || read < low || read > high)
        return std::nullopt;
    return read;
}

} // namespace

std::optional<PrompterSnapshot> snapshotfrommessage(const QJsonObject &message)
{
    if (message.value(QLatin1String("type")).toString() != QLatin1String("state"))
        return std::nullopt;
    const std::optional<double> position = number(message, "position", 0, largestPosition);
    const std::optional<double> bottom = number(message, "pageBottom", 0, largestPosition);
    const std::optional<double> time = number(message, "time", 0, 1e15);
    const std::optional<double> rate = number(message, "rate", -fastestRate, fastestRate);
    const std::optional<double> smoothRate = number(message, "smoothRate", -fastestRate, fastestRate);
    if (!position || !bottom || !time || !rate || !smoothRate || *position > *bottom)
        return std::nullopt;
    // A prompter older than these fields tells none; one that tells them tells them right.
    const QJsonValue talentMessage = message.value(QLatin1String("talentMessage"));
    if (!talentMessage.isUndefined() &&
        (!talentMessage.isString() || talentMessage.toString().size() > maxTalentMessageLength))
        return std::nullopt;
    const QJsonValue aids = message.value(QLatin1String("readingAids"));
    std::optional<ReadingAidSettings> readingAids;
    if (!aids.isUndefined() && !(readingAids = readingaidsfrommessage(aids)))
        return std::nullopt;
    const bool clockTold = message.contains(QLatin1String("showClockMs"));
    const std::optional<double> showClock = number(message, "showClockMs", 0, longestShowMs);
    const QJsonValue clockRunning = message.value(QLatin1String("showClockRunning"));
    if (clockTold && (!showClock || !clockRunning.isBool()))
        return std::nullopt;
    const std::optional<double> countdown = number(message, "countdownLeft", 0, longestCountdown);
    if (message.contains(QLatin1String("countdownLeft")) && !countdown)
        return std::nullopt;
    PrompterSnapshot state;
    state.position = int(*position);
    state.pageBottom = int(*bottom);
    state.time = *time;
    state.rate = *rate;
    state.smoothRate = *smoothRate;
    state.running = message.value(QLatin1String("running")).toBool();
    state.speed = message.value(QLatin1String("speed")).toInt();
    state.coarse = message.value(QLatin1String("coarse")).toInt(1);
    state.scriptPath = message.value(QLatin1String("script")).toString();
    state.queuePosition = message.value(QLatin1String("queuePosition")).toInt();
    state.queueLength = message.value(QLatin1String("queueLength")).toInt();
    state.elapsedMs = message.value(QLatin1String("elapsedMs")).toInt();
    state.remainingMs = message.value(QLatin1String("remainingMs")).toInt();
    state.mirror = message.value(QLatin1String("mirror")).toBool();
    state.rotate = message.value(QLatin1String("rotate")).toBool();
    state.upsideDown = message.value(QLatin1String("upsideDown")).toBool();
    state.dualDisplay = message.value(QLatin1String("dualDisplay")).toBool();
    state.blackout = message.value(QLatin1String("blackout")).toBool();
    state.voiceFollowing = message.value(QLatin1String("voiceFollowing")).toBool();
    if (message.value(QLatin1String("role")).toString() == QLatin1String("standby"))
        state.role = QStringLiteral("standby");
    state.layoutWidth = int(number(message, "layoutWidth", 0, widestLayout).value_or(0));
    state.continuous = message.value(QLatin1String("continuous")).toBool();
    state.storyIndex = message.value(QLatin1String("storyIndex")).toInt(-1);
    state.storyName = message.value(QLatin1String("storyName")).toString();
    state.storyCount = message.value(QLatin1String("storyCount")).toInt();
    state.talentMessage = talentMessage.toString();
    state.readingAids = readingAids;
    if (showClock)
        state.showClockMs = qint64(*showClock);
    state.showClockRunning = clockRunning.toBool();
    state.countdownLeft = int(countdown.value_or(0));
    return state;
}

ScriptMotion snapshotmotion(const PrompterSnapshot &state)
{
    const double script = scriptposition(state.position, ScriptPage{state.pageBottom, state.upsideDown, 1.0});
    const double pageRate = state.running ? state.rate : 0;
    // The script runs against the page on a page turned upside down.
    return ScriptMotion{script, state.time, state.upsideDown ? -pageRate : pageRate};
}

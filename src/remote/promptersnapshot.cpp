#include "remote/promptersnapshot.h"

#include <QFileInfo>

#include "engine/timereadout.h"

QJsonObject snapshotmessage(const PrompterSnapshot &state)
{
    return QJsonObject{
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
    };
}

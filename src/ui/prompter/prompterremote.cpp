#include "ui/prompter/prompterremote.h"

#include <QRegularExpression>
#include <QTimer>

#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "ui/prompter/outputfollower.h"
#include "ui/prompter/tform1.h"
#include "ui/prompter/voicefollowing.h"
#include "stringtable.h"

PrompterRemote::PrompterRemote(TForm1 *prompter, QObject *parent) : QObject(parent), m_prompter(prompter)
{
    PromptEngine *engine = prompter->engine;
    connect(engine, &PromptEngine::stateChanged, this, &PrompterRemote::stateChanged);
    connect(engine, &PromptEngine::speedApplied, this, &PrompterRemote::stateChanged);
    connect(engine, &PromptEngine::motionChanged, this, &PrompterRemote::stateChanged);
    connect(prompter->wb1, &Browser::scrollPositionChanged, this, &PrompterRemote::stateChanged);
    connect(prompter->follower, &OutputFollower::changed, this, &PrompterRemote::stateChanged);
    connect(prompter->voice, &VoiceFollowing::switched, this, &PrompterRemote::stateChanged);
    connect(prompter->wb1, &Browser::documentComplete, this, [this] {
        ++m_generation;
        emit scriptChanged();
        emit stateChanged();
    });
}

QString PrompterRemote::perform(const RemoteCommand &command)
{
    PromptEngine *engine = m_prompter->engine;
    Browser *page = m_prompter->wb1;
    // A command that moves the page or changes its speed is the operator's, as a key is: it takes
    // the page over from voice following.
    static const QList<RemoteAction> leaveVoice = {
        RemoteAction::Mirror,         RemoteAction::Rotate,         RemoteAction::DualDisplay,
        RemoteAction::Blackout,       RemoteAction::StartShowClock, RemoteAction::StopShowClock,
        RemoteAction::ResetShowClock, RemoteAction::TalentMessage,  RemoteAction::VoiceFollowing};
    if (!leaveVoice.contains(command.action))
        m_prompter->voice->takeOver();
    // The speed is applied without letting other events run first, as a key would: the request
    // being answered must not be overtaken by the next one.
    switch (command.action) {
    case RemoteAction::SpeedUp:
        engine->increaseSpeed();
        engine->applySpeed();
        break;
    case RemoteAction::SpeedDown:
        engine->decreaseSpeed();
        engine->applySpeed();
        break;
    case RemoteAction::SetSpeed:
        engine->setSpeed(command.value);
        break;
    case RemoteAction::CoarseUp:
        engine->coarseFaster();
        engine->applySpeed();
        break;
    case RemoteAction::CoarseDown:
        engine->coarseSlower();
        engine->applySpeed();
        break;
    case RemoteAction::SetCoarse:
        engine->setCoarse(command.value);
        engine->updateMotion();
        break;
    case RemoteAction::Pause:
        engine->pause();
        break;
    case RemoteAction::Resume:
        engine->resume();
        break;
    case RemoteAction::TogglePause:
        engine->togglePause();
        break;
    case RemoteAction::Reverse:
        engine->reverseDirection();
        engine->applySpeed();
        break;
    case RemoteAction::Reset:
        engine->reset();
        break;
    case RemoteAction::NextScript:
        return loadQueueEntry(m_prompter->promptstate.queuepos + 1);
    case RemoteAction::PreviousScript:
        return loadQueueEntry(m_prompter->promptstate.queuepos - 1);
    case RemoteAction::OpenQueueEntry:
        return loadQueueEntry(command.value);
    case RemoteAction::Mirror:
        setSwitch(m_prompter->promptstate.mirroron, command.on, &TForm1::Image2MouseUp);
        break;
    case RemoteAction::Rotate:
        setSwitch(m_prompter->promptstate.rotateon, command.on, &TForm1::Image14MouseUp);
        break;
    case RemoteAction::DualDisplay:
        setSwitch(m_prompter->outputwindow() != nullptr, command.on, &TForm1::Image3MouseUp);
        break;
    case RemoteAction::Blackout:
        m_prompter->follower->setBlackout(command.on.value_or(!m_prompter->follower->isBlackout()));
        break;
    case RemoteAction::JumpLines:
        m_prompter->jumplines(command.value);
        break;
    case RemoteAction::JumpPixels:
        engine->jumpTo(page->scrollPosition() + command.value);
        break;
    case RemoteAction::SetPosition:
        engine->jumpTo(command.value);
        break;
    case RemoteAction::NextMarker:
        m_prompter->nextmarker();
        break;
    case RemoteAction::PreviousMarker:
        m_prompter->previousmarker();
        break;
    case RemoteAction::JumpToMarker:
        if (command.value >= m_prompter->markernames().size())
            return i18n(str::RemoteNoMarker).arg(command.value + 1).arg(m_prompter->markernames().size());
        m_prompter->jumptomarker(command.value);
        break;
    case RemoteAction::StartShowClock:
        m_prompter->startshowclock();
        break;
    case RemoteAction::StopShowClock:
        m_prompter->stopshowclock();
        break;
    case RemoteAction::ResetShowClock:
        m_prompter->resetshowclock();
        break;
    case RemoteAction::VoiceFollowing:
        m_prompter->setVoiceFollowing(command.on.value_or(!m_prompter->voice->isOn()));
        break;
    case RemoteAction::TalentMessage:
        if (command.text.isEmpty())
            m_prompter->cleartalentmessage();
        else
            m_prompter->showtalentmessage(command.text);
        break;
    case RemoteAction::LoadScript:
        if (m_prompter->promptstate.helpshown)
            return i18n(str::RemoteHelpShown);
        m_prompter->promptstate.richscript = false;
        m_prompter->promptstate.scripttext = ScriptText::Plain;
        m_prompter->showscript(command.text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))),
                               command.name);
        break;
    }
    return {};
}

QString PrompterRemote::loadQueueEntry(int index)
{
    const qsizetype count = m_prompter->queueEntries().size();
    if (index < 0 || index >= count)
        return i18n(str::RemoteNoQueueEntry).arg(index + 1).arg(count);
    // Loaded from the event loop: a script that cannot be read is reported in a message box,
    // which must not hold the answer to the remote control.
    m_prompter->promptstate.queuepos = index;
    QTimer::singleShot(0, m_prompter, [prompter = m_prompter, index] {
        prompter->reportingErrors([prompter, index] { prompter->loadqueueentry(index); });
    });
    return {};
}

void PrompterRemote::setSwitch(bool now, const std::optional<bool> &wanted, void (TForm1::*flip)())
{
    if (!wanted || *wanted != now)
        (m_prompter->*flip)();
}

PrompterSnapshot PrompterRemote::snapshot() const
{
    const PromptEngine *engine = m_prompter->engine;
    const Browser *page = m_prompter->wb1;
    const PromptState &state = m_prompter->promptstate;
    PrompterSnapshot snapshot;
    snapshot.position = page->scrollPosition();
    snapshot.pageBottom = page->scrollBottom();
    snapshot.time = page->positionTime();
    snapshot.speed = engine->scrollspeed();
    snapshot.coarse = engine->coarse();
    snapshot.running = engine->isRunning();
    snapshot.rate = engine->rate();
    snapshot.smoothRate = engine->isSmooth() && snapshot.running ? snapshot.rate : 0;
    snapshot.scriptPath = state.scriptpath;
    snapshot.queuePosition = state.queuepos;
    snapshot.queueLength = static_cast<int>(m_prompter->queueEntries().size());
    snapshot.elapsedMs = engine->elapsedMs(snapshot.position, snapshot.pageBottom);
    snapshot.remainingMs = engine->remainingMs(snapshot.position, snapshot.pageBottom);
    snapshot.mirror = state.mirroron;
    snapshot.rotate = state.rotateon;
    snapshot.upsideDown = engine->isUpsideDown();
    snapshot.dualDisplay = m_prompter->outputwindow() != nullptr;
    snapshot.blackout = m_prompter->follower->isBlackout();
    snapshot.voiceFollowing = m_prompter->voice->isOn();
    return snapshot;
}

ScriptCopy PrompterRemote::script() const
{
    return {m_prompter->promptstate.scriptpath, m_prompter->promptstate.pagelines, m_generation,
            m_prompter->wb1->width()};
}

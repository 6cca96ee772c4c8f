// What the prompter window's own commands do, from any source (keys, the toolbar, the menu,
// clicks, remote controls), and what the window tells of the prompter's state.
#include <QRegularExpression>
#include <QTimer>

#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/tform1.h"

namespace {

// Handlers that need neither the command's value nor its source.
using Act = std::function<void()>;

} // namespace

void TForm1::registerCommands()
{
    PrompterCommands &commands = *m_commands;
    const auto simple = [&commands](RemoteAction action, Act act) {
        commands.handle(action, [act](const RemoteCommand &, CommandSource) {
            act();
            return QString();
        });
    };
    // The speed is applied as the operator's controls apply it (the labels repaint at once); a
    // remote control's is applied without letting other events run first, so that the request
    // being answered is not overtaken by the next one.
    const auto speedChange = [this, &commands](RemoteAction action, void (PromptEngine::*change)()) {
        commands.handle(action, [this, change](const RemoteCommand &, CommandSource source) {
            (engine->*change)();
            if (source == CommandSource::Remote)
                engine->applySpeed();
            else
                adjustspeed();
            return QString();
        });
    };
    speedChange(RemoteAction::SpeedUp, &PromptEngine::increaseSpeed);
    speedChange(RemoteAction::SpeedDown, &PromptEngine::decreaseSpeed);
    speedChange(RemoteAction::CoarseUp, &PromptEngine::coarseFaster);
    speedChange(RemoteAction::CoarseDown, &PromptEngine::coarseSlower);
    speedChange(RemoteAction::Reverse, &PromptEngine::reverseDirection);
    commands.handle(RemoteAction::SetSpeed, [this](const RemoteCommand &command, CommandSource) {
        engine->setSpeed(command.value);
        return QString();
    });
    commands.handle(RemoteAction::SetCoarse, [this](const RemoteCommand &command, CommandSource) {
        engine->setCoarse(command.value);
        engine->updateMotion();
        return QString();
    });
    simple(RemoteAction::Pause, [this] { engine->pause(); });
    simple(RemoteAction::Resume, [this] { engine->resume(); });
    simple(RemoteAction::TogglePause, [this] { engine->togglePause(); });
    commands.handle(RemoteAction::Reset, [this](const RemoteCommand &, CommandSource source) {
        doreset();
        if (source != CommandSource::Remote)
            wb1->focusPage();
        return QString();
    });
    commands.handle(RemoteAction::JumpPixels, [this](const RemoteCommand &command, CommandSource) {
        engine->jumpTo(wb1->scrollPosition() + command.value);
        return QString();
    });
    commands.handle(RemoteAction::SetPosition, [this](const RemoteCommand &command, CommandSource) {
        engine->jumpTo(command.value);
        return QString();
    });

    // The queue. A remote control's entry is loaded from the event loop: a script that cannot be
    // read is reported in a message box, which must not hold the answer to the remote control.
    const auto queueEntry = [this](int index) {
        const qsizetype count = queueEntries().size();
        if (index < 0 || index >= count)
            return i18n(str::RemoteNoQueueEntry).arg(index + 1).arg(count);
        promptstate.queuepos = index;
        QTimer::singleShot(0, this,
                           [this, index] { reportingErrors([this, index] { loadqueueentry(index); }); });
        return QString();
    };
    commands.handle(RemoteAction::NextScript,
                    [this, queueEntry](const RemoteCommand &, CommandSource source) {
                        if (source == CommandSource::Remote)
                            return queueEntry(promptstate.queuepos + 1);
                        nextscript();
                        return QString();
                    });
    commands.handle(RemoteAction::PreviousScript,
                    [this, queueEntry](const RemoteCommand &, CommandSource source) {
                        if (source == CommandSource::Remote)
                            return queueEntry(promptstate.queuepos - 1);
                        prevscript();
                        return QString();
                    });
    commands.handle(RemoteAction::OpenQueueEntry, [queueEntry](const RemoteCommand &command, CommandSource) {
        return queueEntry(command.value);
    });
    commands.handle(RemoteAction::LoadScript, [this](const RemoteCommand &command, CommandSource) {
        if (promptstate.helpshown)
            return i18n(str::RemoteHelpShown);
        promptstate.richscript = false;
        promptstate.scripttext = ScriptText::Plain;
        showscript(command.text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))), command.name);
        return QString();
    });

    // The display's switches: set to the value sent, or switched over without one.
    const auto toggle = [this, &commands](RemoteAction action, std::function<bool()> now,
                                          void (TForm1::*flip)()) {
        commands.handle(action, [this, now, flip](const RemoteCommand &command, CommandSource) {
            if (!command.on || *command.on != now())
                (this->*flip)();
            return QString();
        });
    };
    toggle(
        RemoteAction::Mirror, [this] { return promptstate.mirroron; }, &TForm1::Image2MouseUp);
    toggle(
        RemoteAction::Rotate, [this] { return promptstate.rotateon; }, &TForm1::Image14MouseUp);
    toggle(
        RemoteAction::DualDisplay, [this] { return outputwindow() != nullptr; }, &TForm1::Image3MouseUp);

    // The menu's and the toolbar's windows and pages.
    simple(RemoteAction::Help, [this] { Image13MouseUp(); });
    simple(RemoteAction::OpenScript, [this] { OpenSimplescript1Click(); });
    simple(RemoteAction::Font, [this] { Font2Click(); });
    simple(RemoteAction::Options, [this] { Options2Click(); });
    simple(RemoteAction::QuickEdit, [this] { EditScript2Click(); });
    simple(RemoteAction::Print, [this] { PrintScript2Click(); });
    simple(RemoteAction::StatusBar, [this] { Showstatusbar1Click(); });
    simple(RemoteAction::About, [this] { About1Click(); });
    simple(RemoteAction::Exit, [this] { Exit1Click(); });

    commands.addStatePart([this](PrompterSnapshot &state) {
        state.position = wb1->scrollPosition();
        state.pageBottom = wb1->scrollBottom();
        state.time = wb1->positionTime();
        state.speed = engine->scrollspeed();
        state.coarse = engine->coarse();
        state.running = engine->isRunning();
        state.rate = engine->rate();
        state.smoothRate = engine->isSmooth() && state.running ? state.rate : 0;
        state.scriptPath = promptstate.scriptpath;
        state.queuePosition = promptstate.queuepos;
        state.queueLength = static_cast<int>(queueEntries().size());
        state.elapsedMs = engine->elapsedMs(state.position, state.pageBottom);
        state.remainingMs = engine->remainingMs(state.position, state.pageBottom);
        state.mirror = promptstate.mirroron;
        state.rotate = promptstate.rotateon;
        state.upsideDown = engine->isUpsideDown();
    });
    for (auto signal : {&PromptEngine::stateChanged, &PromptEngine::speedApplied})
        connect(engine, signal, m_commands, &PrompterCommands::notifyStateChanged);
    connect(engine, &PromptEngine::motionChanged, m_commands, &PrompterCommands::notifyStateChanged);
    connect(wb1, &Browser::scrollPositionChanged, m_commands, &PrompterCommands::notifyStateChanged);
}

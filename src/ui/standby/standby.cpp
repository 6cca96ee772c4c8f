#include "ui/standby/standby.h"

#include <cmath>
#include <utility>

#include <QAction>
#include <QDateTime>
#include <QFileInfo>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QUrlQuery>

#include "core/commands/commandmap.h"
#include "core/engine/showclock.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "core/remote/followerlink.h"
#include "core/render/page.h"
#include "core/settings/settingsstore.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/browser/pagesplice.h"
#include "ui/options/standbyoptions.h"
#include "ui/options/tform4.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/prompter/scriptstage.h"
#include "ui/readingaids/readingaids.h"
#include "ui/readingaids/showclocks.h"
#include "ui/readingaids/takecountdown.h"
#include "ui/readingaids/talentmessage.h"
#include "ui/settings/settingsgroup.h"
#include "ui/talentdisplay/networkdisplay.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "ui/toolkit/statusnotice.h"

namespace {

double epochNow()
{
    return double(QDateTime::currentMSecsSinceEpoch());
}

QString clockTime(double epochMs)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(epochMs)).toString(QStringLiteral("HH:mm:ss"));
}

// How far the show clock may stand from the prompter's, told late by the network, before it is set.
constexpr qint64 clockToleranceMs = 500;

// A takeover's place is measured once the page has moved on by itself for a moment.
constexpr int takeoverMeasureMs = 300;

} // namespace

Standby::Standby(const PrompterParts &parts, ScriptStage &stage, TalentDisplay &talent, ReadingAids &aids,
                 TalentMessage &message, ShowClocks &clocks, TakeCountdown &countdown, QObject *parent)
    : QObject(parent), m_parts(parts), m_stage(stage), m_talent(talent), m_aids(aids), m_message(message),
      m_clocks(clocks), m_countdown(countdown), m_menuEntry(new QAction(&parts.menu)),
      m_status(new QLabel(&parts.window))
{
    m_menuEntry->setObjectName(QStringLiteral("TakeOver1"));
    m_menuEntry->setText(i18n(str::MenuTakeOver));
    m_menuEntry->setVisible(false);
    parts.commands.bindMenuEntry(m_menuEntry);
    m_status->setObjectName(QStringLiteral("standbystatus"));
    m_status->setVisible(false);
    parts.view.addReadout(m_status, true);
    connect(&parts.commands, &PrompterCommands::relayRefused, &parts.notice, [this](const QString &error) {
        m_parts.notice.show(error);
        showStatus();
    });
    parts.commands.handle(RemoteAction::TakeOver,
                          [this](const RemoteCommand &, CommandSource) { return takeOver(true); });
    // A standby shows the aids its prompter shows.
    parts.commands.addStatePart([this](PrompterSnapshot &state) { state.readingAids = m_aids.values(); });
    connect(&aids, &ReadingAids::changed, &parts.commands, &PrompterCommands::notifyStateChanged);
    m_clock.start();
    m_checks.setInterval(TakeoverWatch::checkIntervalMs);
    connect(&m_checks, &QTimer::timeout, this, &Standby::check);
    m_measures.setInterval(measureIntervalMs);
    connect(&m_measures, &QTimer::timeout, this, &Standby::measure);
    m_statusTimer.setInterval(500);
    connect(&m_statusTimer, &QTimer::timeout, this, &Standby::showStatus);
    connect(&parts.page, &Browser::documentComplete, this, &Standby::pageLoaded);
    SettingsStore store;
    m_settings = readstandbysettings(store.settings());
}

void Standby::attachOptions(TForm4 &options)
{
    m_group = new StandbyOptions;
    options.addFeaturePage(m_group, "standbypagebutton", str::StandbyPage);
    m_group->showSettings(m_settings);
    connect(&options, &QDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted && m_group->values() != m_settings) {
            m_settings = m_group->values();
            const StandbySettings values = m_settings;
            storeSettings(QStringLiteral("Standby"),
                          [&values](QSettings &settings) { writestandbysettings(settings, values); });
            // A standby keeps its silence, measured so far, against the new limit.
            m_watch.setTimeout(m_settings.takeoverMs);
        }
        m_group->showSettings(m_settings);
    });
}

Standby::~Standby() = default;

void Standby::ledBy(const QString &host, quint16 port, const QString &token, quint16 ownPort)
{
    if (m_standby)
        return;
    QUrl leader;
    leader.setScheme(QStringLiteral("ws"));
    leader.setHost(host);
    leader.setPort(port);
    leader.setPath(QStringLiteral("/socket"));
    if (!token.isEmpty())
        leader.setQuery(QUrlQuery{{QStringLiteral("token"), token}});
    m_oldPrompter.reset();
    m_takeover.reset();
    standBy(leader, ownPort);
    m_parts.notice.show(i18n(str::StandbyLedElsewhere).arg(prompterName()));
}

void Standby::standBy(const QUrl &prompter, quint16 ownPort)
{
    PrompterCommands &commands = m_parts.commands;
    // The prompter's page is followed: the voice does not move it here.
    RemoteCommand voiceOff;
    voiceOff.action = RemoteAction::VoiceFollowing;
    voiceOff.on = false;
    commands.perform(voiceOff, CommandSource::Remote);
    // A countdown into a take counted here would start this engine: the prompter counts now.
    m_countdown.cancel();
    m_parts.engine.pause();
    m_prompterAddress = prompter;
    m_ownPort = ownPort;
    m_standby = true;
    m_mirror.forget();
    m_shownLines.clear();
    m_pageShown = false;
    m_watch = TakeoverWatch();
    m_watch.setTimeout(m_settings.takeoverMs);
    // Added last, so that the show as the prompter runs it is told over this one's engine at rest.
    if (!std::exchange(m_stateTold, true))
        commands.addStatePart([this](PrompterSnapshot &state) { describe(state); });
    commands.setRelay([this](const RemoteCommand &command, const PrompterCommands::Answer &answer) {
        return !m_performingHere && relay(command, answer);
    });

    m_link = std::make_unique<FollowerLink>();
    m_link->setPingInterval(heartbeatMs);
    m_link->setWantsScriptText(true);
    m_scriptText.reset();
    connect(m_link.get(), &FollowerLink::scriptReceived, this, &Standby::showScript);
    connect(m_link.get(), &FollowerLink::editReceived, this, &Standby::editScript);
    connect(m_link.get(), &FollowerLink::scriptTextReceived, this, [this](const LeaderScriptText &text) {
        m_scriptText = std::make_unique<LeaderScriptText>(text);
    });
    connect(m_link.get(), &FollowerLink::stateReceived, this, &Standby::follow);
    connect(m_link.get(), &FollowerLink::heard, this, [this] { m_watch.heard(m_clock.elapsed()); });
    connect(m_link.get(), &FollowerLink::replyReceived, this,
            [this](const QJsonObject &reply) { m_answers.answer(reply); });
    connect(m_link.get(), &FollowerLink::connectionChanged, this, [this](bool connected, const QString &why) {
        // A lost line takes the commands on it with it: their answers never come.
        if (!connected)
            m_answers.failAll(noAnswer());
        m_problem = connected ? QString() : why;
        showStatus();
        m_parts.commands.notifyStateChanged();
    });
    m_link->follow(prompter);
    m_checks.start();
    m_measures.start();
    m_statusTimer.start();
    m_menuEntry->setVisible(true);
    showStatus();
    commands.notifyStateChanged();
    emit standingByChanged(true);
}

QString Standby::prompterToken() const
{
    return QUrlQuery(m_prompterAddress).queryItemValue(QStringLiteral("token"));
}

bool Standby::relay(const RemoteCommand &command, const std::function<void(const QString &)> &answer)
{
    if (!m_standby || command.action == RemoteAction::TakeOver)
        return false;
    // The page is the prompter's: a script opened or edited here would be replaced by it.
    if (command.action == RemoteAction::OpenScript || command.action == RemoteAction::QuickEdit ||
        command.action == RemoteAction::EditLive) {
        answer(i18n(str::StandbyScriptElsewhere).arg(prompterName()));
        return true;
    }
    // The operator's own other commands (a window, exit) stay here.
    if (!commandfor(command.action).remote)
        return false;
    QJsonObject message = commandmessage(command);
    const QString id = m_answers.add(answer, m_clock.elapsed());
    message.insert(QStringLiteral("id"), id);
    if (!m_link || !m_link->send(message))
        m_answers.answer(id, i18n(str::StandbyCannotPass).arg(prompterName()));
    return true;
}

QString Standby::noAnswer() const
{
    return i18n(str::StandbyNoAnswer).arg(prompterName());
}

void Standby::showScript(const LeaderScript &script)
{
    if (!m_standby)
        return;
    Browser &page = m_parts.page;
    // The lines break where the prompter's break.
    if (script.layoutWidth > 0)
        page.setLayoutWidth(script.layoutWidth);
    m_edits = script.edits;
    if (script.pagelines == m_shownLines && m_pageShown) {
        m_placed.reset();
        place();
        return;
    }
    m_shownLines = script.pagelines;
    m_pageShown = false;
    m_loading = true;
    m_placed.reset();
    // The page is the prompter's; the script's own lines stay with it.
    m_parts.view.changeScriptInPlace({}, script.pagelines);
    m_talent.follower()->setHeld(true);
    page.loadPageLines(
        withbodytag(script.pagelines, m_parts.view.mirroredLocally(), m_parts.view.upsideDownLocally()));
    m_talent.loadPage();
}

void Standby::editScript(const PageEdit &edit)
{
    // The page asked for since holds the edit already.
    if (!m_standby || edit.serial <= m_edits)
        return;
    QStringList edited = m_shownLines;
    if (!m_pageShown || edit.serial != m_edits + 1 || !applypageedit(edited, edit)) {
        m_link->askForScript();
        return;
    }
    m_edits = edit.serial;
    m_shownLines = edited;
    // A page built anew here, and the show after a takeover, have the edited lines.
    m_parts.view.changeScriptInPlace({}, edited);
    const double readingY = m_parts.page.height() * NetworkDisplay::readingShare;
    QPointer<Standby> self(this);
    splicepage(m_parts.page, edit, edited, readingY, [self, edit](const SpliceResult &result) {
        if (self)
            self->editSpliced(edit, result);
    });
}

void Standby::editSpliced(const PageEdit &edit, const SpliceResult &result)
{
    if (!m_standby)
        return;
    if (!result.done) {
        // The page took nothing line by line: the prompter's edited page is loaded whole.
        LeaderScript script;
        script.pagelines = m_shownLines;
        script.edits = m_edits;
        m_pageShown = false;
        showScript(script);
        return;
    }
    m_talent.editPage(edit, NetworkDisplay::readingShare);
    // The page scrolled to hold the reader's line: it is put back on the prompter's motion.
    m_placed.reset();
    place();
}

void Standby::pageLoaded()
{
    // A page built here (the options, the font or the mirror changed) has no script of its own:
    // the prompter's comes back, even when the build cut short a load of the prompter's page.
    if (m_standby && !m_shownLines.isEmpty() && m_parts.view.state().pagelines != m_shownLines) {
        LeaderScript script;
        script.pagelines = std::exchange(m_shownLines, {});
        script.edits = m_edits;
        showScript(script);
        return;
    }
    if (!m_standby || !m_loading)
        return;
    m_loading = false;
    m_pageShown = true;
    // The window puts a new page at its start first; the next measure puts it back where the
    // prompter's stands.
    m_placed.reset();
}

void Standby::follow(const PrompterSnapshot &state)
{
    if (!m_standby)
        return;
    m_mirror.setState(state);
    Browser &page = m_parts.page;
    if (state.layoutWidth > 0)
        page.setLayoutWidth(state.layoutWidth);
    m_stage.setQueuePosition(state.queuePosition);
    // The talent display here opens, closes and blacks out as the prompter's does.
    if (state.dualDisplay != (m_talent.window() != nullptr)) {
        if (state.dualDisplay)
            m_talent.open();
        else
            m_talent.close();
    }
    if (m_talent.follower()->isBlackout() != state.blackout)
        m_talent.follower()->setBlackout(state.blackout);
    showAsPrompter(state);
    place();
    m_parts.commands.notifyStateChanged();
}

void Standby::showAsPrompter(const PrompterSnapshot &state)
{
    const PromptState &own = m_parts.view.state();
    if (state.mirror != own.mirroron)
        performHere(RemoteAction::Mirror, state.mirror);
    if (state.rotate != own.rotateon)
        performHere(RemoteAction::Rotate, state.rotate);
    if (state.readingAids && *state.readingAids != m_aids.values())
        m_aids.set(*state.readingAids);
    if (state.talentMessage != m_message.text())
        m_message.show(state.talentMessage);
    const ShowClock &clock = m_clocks.clock();
    if (state.showClockMs && (clock.isRunning() != state.showClockRunning ||
                              std::abs(clock.elapsedMs() - *state.showClockMs) > clockToleranceMs))
        m_clocks.setClock(*state.showClockMs, state.showClockRunning);
    m_countdown.showPrompterCounting(state.countdownLeft);
}

void Standby::performHere(RemoteAction action, bool on)
{
    RemoteCommand command;
    command.action = action;
    command.on = on;
    m_performingHere = true;
    m_parts.commands.perform(command, CommandSource::Remote);
    m_performingHere = false;
}

ScriptPage Standby::pageNow() const
{
    const Browser &page = m_parts.page;
    return ScriptPage{page.scrollBottom(), m_parts.view.upsideDownLocally(), page.pageScale()};
}

void Standby::place()
{
    Browser &page = m_parts.page;
    if (!m_pageShown || !m_mirror.isKnown() || !page.isDocumentComplete())
        return;
    const ScriptMotion motion = m_mirror.motion();
    if (m_placed && oncourse(*m_placed, motion, placeTolerance / 2))
        return;
    m_placed = motion;
    const ScriptPage now = pageNow();
    const double pageRate = motion.rate * now.scale * (now.upsideDown ? -1 : 1);
    page.follow(scrollposition(motion.script, now), motion.time, pageRate);
}

void Standby::measure()
{
    Browser &page = m_parts.page;
    if (!m_standby || !m_pageShown || !m_mirror.isKnown() || !page.isScriptPage())
        return;
    page.queryPosition([this] {
        if (!m_standby || !m_mirror.isKnown())
            return;
        const Browser &page = m_parts.page;
        m_error = m_mirror.errorAt(scriptposition(page.scrollPosition(), pageNow()), page.positionTime());
        // Something moved the page away (a new page put at its start, a wheel turn): back it goes.
        if (m_error > placeTolerance) {
            m_placed.reset();
            place();
        }
    });
}

void Standby::check()
{
    if (m_answers.size() > 0)
        m_answers.expire(m_clock.elapsed(), noAnswer());
    m_watch.setReady(m_pageShown && m_mirror.isKnown());
    if (m_watch.due(m_clock.elapsed()))
        takeOver(false);
}

QString Standby::takeOver(bool byHand)
{
    if (!m_standby)
        return i18n(str::StandbyNotStandby);
    Takeover takeover;
    takeover.at = epochNow();
    takeover.silentMs = byHand ? 0 : m_watch.silence(m_clock.elapsed());
    takeover.byHand = byHand;
    m_takeover = takeover;
    m_standby = false;
    m_checks.stop();
    m_measures.stop();
    m_statusTimer.stop();
    m_parts.commands.setRelay({});
    // The prompter answers nothing more: this one acts on commands from now on.
    m_answers.failAll(noAnswer());
    m_link->disconnect(this);
    m_link.release()->deleteLater();
    m_menuEntry->setVisible(false);
    PromptEngine &engine = m_parts.engine;
    if (m_mirror.isKnown()) {
        // From where the prompter's motion has brought the page, on its way: the engine takes it
        // on at the prompter's speed, coarse step and run state.
        m_placed.reset();
        place();
        const PrompterSnapshot &state = m_mirror.state();
        engine.setCoarse(state.coarse);
        engine.setSpeed(state.speed);
        if (!state.running)
            engine.pause();
        engine.updateMotion();
        // A countdown into the take under way goes on here, and starts the run at its end.
        if (state.countdownLeft > 0)
            m_countdown.countFrom(state.countdownLeft);
        QTimer::singleShot(takeoverMeasureMs, this, &Standby::measureTakeover);
    }
    watchOldPrompter();
    m_parts.notice.show(i18n(str::StandbyTookOverNotice).arg(prompterName()));
    holdScript();
    showStatus();
    m_parts.commands.notifyStateChanged();
    emit standingByChanged(false);
    return {};
}

void Standby::holdScript()
{
    // Text older than the page (an edit whose text never came) would undo that edit when saved.
    if (!m_scriptText || m_scriptText->edits != m_edits) {
        m_parts.notice.show(i18n(str::StandbyScriptTextMissing).arg(prompterName()));
        return;
    }
    const LeaderScriptText &text = *m_scriptText;
    m_stage.setScriptText(text.markup ? ScriptText::Markup : ScriptText::Plain);
    m_parts.view.changeScriptInPlace(text.lines, m_shownLines);
    // A file that is not here (the prompter's own disk) is not written blindly: with no name, a
    // save asks where to put the script.
    const QFileInfo file(text.path);
    const bool here = file.isFile() && file.isWritable();
    m_stage.renameScript(here ? text.path : QString());
    if (!here && !text.path.isEmpty())
        m_parts.notice.show(i18n(str::StandbyScriptFileElsewhere).arg(text.path));
}

void Standby::watchOldPrompter()
{
    m_oldPrompter = std::make_unique<FollowerLink>();
    m_oldPrompterTold = false;
    connect(m_oldPrompter.get(), &FollowerLink::connectionChanged, this,
            [this](bool connected, const QString &) { m_oldPrompterTold = m_oldPrompterTold && connected; });
    connect(m_oldPrompter.get(), &FollowerLink::stateReceived, this, [this](const PrompterSnapshot &state) {
        if (m_standby || m_oldPrompterTold || state.role != QLatin1String("prompter"))
            return;
        m_oldPrompterTold = m_oldPrompter->send(QJsonObject{
            {QStringLiteral("type"), QStringLiteral("led-by")}, {QStringLiteral("port"), int(m_ownPort)}});
    });
    m_oldPrompter->follow(m_prompterAddress);
}

void Standby::measureTakeover()
{
    Browser &page = m_parts.page;
    page.queryPosition([this] {
        const Browser &page = m_parts.page;
        m_takeover->positionError =
            m_mirror.errorAt(scriptposition(page.scrollPosition(), pageNow()), page.positionTime());
        m_parts.commands.notifyStateChanged();
    });
}

void Standby::describe(PrompterSnapshot &state) const
{
    if (m_standby) {
        state.role = QStringLiteral("standby");
        if (m_mirror.isKnown()) {
            // The show as the prompter runs it: this engine rests meanwhile.
            const PrompterSnapshot &mirrored = m_mirror.state();
            state.speed = mirrored.speed;
            state.coarse = mirrored.coarse;
            state.running = mirrored.running;
            state.rate = mirrored.rate;
            state.smoothRate = mirrored.smoothRate;
            state.queuePosition = mirrored.queuePosition;
            state.queueLength = mirrored.queueLength;
            state.continuous = mirrored.continuous;
        }
        const bool connected = m_link && m_link->isConnected();
        state.standby = QJsonObject{
            {QStringLiteral("of"), prompterName()},
            {QStringLiteral("connected"), connected},
            {QStringLiteral("behindMs"), connected ? std::round(m_link->clockOffset().delay() / 2) : 0.0},
            {QStringLiteral("errorPx"), m_error},
            {QStringLiteral("takeoverMs"), m_watch.timeout()}};
        if (!connected && !m_problem.isEmpty())
            state.standby.insert(QStringLiteral("problem"), m_problem);
        return;
    }
    if (!m_takeover)
        return;
    QJsonObject tookOver{{QStringLiteral("at"), m_takeover->at},
                         {QStringLiteral("from"), prompterName()},
                         {QStringLiteral("silentMs"), double(m_takeover->silentMs)},
                         {QStringLiteral("byHand"), m_takeover->byHand}};
    if (m_takeover->positionError)
        tookOver.insert(QStringLiteral("positionErrorPx"), *m_takeover->positionError);
    state.standby = QJsonObject{{QStringLiteral("tookOver"), tookOver}};
}

void Standby::showStatus()
{
    QString text;
    if (m_standby && !(m_link && m_link->isConnected()))
        text = m_problem.isEmpty() ? i18n(str::StandbyConnecting).arg(prompterName())
                                   : i18n(str::StandbyUnreachable).arg(prompterName(), m_problem);
    else if (m_standby)
        text = i18n(str::StandbyOf)
                   .arg(prompterName())
                   .arg(std::lround(m_link->clockOffset().delay() / 2))
                   .arg(std::lround(m_error));
    else if (m_takeover && m_takeover->byHand)
        text = i18n(str::StandbyTookOverByHand).arg(prompterName(), clockTime(m_takeover->at));
    else if (m_takeover)
        text = i18n(str::StandbyTookOver)
                   .arg(prompterName(), clockTime(m_takeover->at))
                   .arg(m_takeover->silentMs);
    m_status->setText(text);
    // A notice (a refusal the prompter sent back) takes the report's room while it shows: the
    // status line has too little for both.
    m_status->setVisible(!text.isEmpty() && !(m_standby && m_parts.notice.isShown()));
}

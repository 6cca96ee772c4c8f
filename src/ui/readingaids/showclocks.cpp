#include "ui/readingaids/showclocks.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "core/engine/promptengine.h"
#include "core/engine/readingestimate.h"
#include "core/engine/showclock.h"
#include "core/engine/timereadout.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/readingaids/pagenotice.h"
#include "ui/readingaids/readingaids.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/talentdisplay/talentdisplay.h"

namespace {
constexpr int clockRefreshMs = 250;
const int readingPaces[] = {150, 180, 210};

QString hoursMinutesSeconds(qint64 ms)
{
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

ShowClocks::ShowClocks(const PrompterParts &parts, ReadingAids &aids, TalentDisplay &talent, QObject *parent)
    : QObject(parent), m_view(parts.view), m_commands(parts.commands), m_engine(parts.engine),
      m_page(parts.page), m_aids(aids), m_talent(talent), m_clock(std::make_unique<ShowClock>()),
      m_label(new QLabel(&parts.window)), m_refresh(new QTimer(this))
{
    setObjectName(QStringLiteral("showclocks"));
    m_label->setObjectName(QStringLiteral("clocklabel"));
    parts.view.addReadout(m_label, false);
    m_refresh->setObjectName(QStringLiteral("clocktimer"));
    m_refresh->setInterval(clockRefreshMs);
    connect(m_refresh, &QTimer::timeout, this, &ShowClocks::show);
    m_refresh->start();
    m_speedSteady.start();
    connect(&m_engine, &PromptEngine::speedApplied, this, [this] { m_speedSteady.restart(); });

    m_menu = new QMenu(&parts.menu);
    m_menu->setObjectName(QStringLiteral("Timing1"));
    m_run = m_menu->addAction(QString());
    m_run->setObjectName(QStringLiteral("ShowClockRun1"));
    parts.commands.bindMenuEntry(m_run);
    m_reset = m_menu->addAction(QString());
    m_reset->setObjectName(QStringLiteral("ShowClockReset1"));
    parts.commands.bindMenuEntry(m_reset);
    m_menu->addSeparator();
    m_onTalent = m_menu->addAction(QString());
    m_onTalent->setObjectName(QStringLiteral("ClocksOnTalent1"));
    m_onTalent->setCheckable(true);
    m_paceMenu = m_menu->addMenu(QString());
    m_paceMenu->setObjectName(QStringLiteral("ReadingPace1"));
    auto *paces = new QActionGroup(m_paceMenu);
    for (const int wpm : readingPaces) {
        QAction *action = m_paceMenu->addAction(QString());
        action->setCheckable(true);
        action->setData(wpm);
        paces->addAction(action);
        connect(action, &QAction::triggered, this, [this, wpm] {
            m_aids.change([wpm](ReadingAidSettings &aids) { aids.wordsPerMinute = wpm; });
        });
    }
    for (QMenu *menu : {m_menu, m_paceMenu})
        menu->setStyleSheet(parts.menu.styleSheet());
    connect(m_onTalent, &QAction::triggered, this,
            [this](bool on) { m_aids.change([on](ReadingAidSettings &aids) { aids.clocksOnTalent = on; }); });
    connect(&aids, &ReadingAids::changed, this, &ShowClocks::showAids);

    PrompterCommands &commands = parts.commands;
    const auto handle = [this, &commands](RemoteAction action, void (ShowClocks::*act)()) {
        commands.handle(action, [this, act](const RemoteCommand &, CommandSource) {
            (this->*act)();
            return QString();
        });
    };
    handle(RemoteAction::StartShowClock, &ShowClocks::start);
    handle(RemoteAction::StopShowClock, &ShowClocks::stop);
    handle(RemoteAction::ResetShowClock, &ShowClocks::reset);
    commands.addStatePart([this](PrompterSnapshot &state) {
        state.showClockMs = m_clock->elapsedMs();
        state.showClockRunning = m_clock->isRunning();
    });
    commands.handle(RemoteAction::ShowClock, [this](const RemoteCommand &command, CommandSource) {
        if (command.on.value_or(!m_clock->isRunning()))
            start();
        else
            stop();
        return QString();
    });
}

ShowClocks::~ShowClocks() = default;

void ShowClocks::setTexts()
{
    m_menu->setTitle(i18n(str::MenuTiming));
    m_run->setText(i18n(str::MenuShowClockRun));
    m_reset->setText(i18n(str::MenuShowClockReset));
    m_onTalent->setText(i18n(str::MenuClocksOnTalent));
    m_paceMenu->setTitle(i18n(str::MenuReadingPace));
    showAids();
}

void ShowClocks::showAids()
{
    const ReadingAidSettings &aids = m_aids.values();
    m_onTalent->setChecked(aids.clocksOnTalent);
    for (QAction *action : m_paceMenu->actions()) {
        action->setText(i18n(str::WordsPerMinuteValue).arg(action->data().toInt()));
        action->setChecked(action->data().toInt() == aids.wordsPerMinute);
    }
}

void ShowClocks::start()
{
    m_clock->start();
    show();
    m_commands.notifyStateChanged();
}

void ShowClocks::stop()
{
    m_clock->stop();
    show();
    m_commands.notifyStateChanged();
}

void ShowClocks::toggle()
{
    if (m_clock->isRunning())
        stop();
    else
        start();
}

void ShowClocks::reset()
{
    m_clock->reset();
    show();
    m_commands.notifyStateChanged();
}

void ShowClocks::setClock(qint64 elapsedMs, bool running)
{
    m_clock->set(elapsedMs, running);
    show();
    m_commands.notifyStateChanged();
}

void ShowClocks::countWords(const QStringList &scriptlines)
{
    m_scriptWords = wordcount(scriptlines);
}

qint64 ShowClocks::scriptReadingMs() const
{
    return readingms(m_scriptWords, m_aids.values().wordsPerMinute);
}

QString ShowClocks::texts() const
{
    QString text = i18n(str::ClockReadout)
                       .arg(hoursMinutesSeconds(m_clock->elapsedMs()),
                            QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                            hoursMinutesSeconds(scriptReadingMs()));
    const PromptState &state = m_view.state();
    const bool scriptShown = m_page.isScriptPage() && !state.helpshown;
    const QDateTime ends = endforecast(
        QDateTime::currentDateTime(), m_engine.remainingMs(m_page.estimatedPosition(), state.pagebottom),
        m_speedSteady.elapsed(), scriptShown && m_engine.isRunning() && !m_engine.isGliding());
    if (ends.isValid())
        text += QLatin1Char(' ') + i18n(str::EndsAt).arg(ends.time().toString(QStringLiteral("HH:mm:ss")));
    return text;
}

void ShowClocks::show()
{
    m_label->setText(texts());
    if (OutputWindow *output = m_talent.window()) {
        output->clock->setTurn(m_view.mirroredRemotely(), m_view.upsideDownRemotely());
        if (m_aids.values().clocksOnTalent)
            output->clock->showNotice(i18n(str::TalentClocks)
                                          .arg(hoursMinutesSeconds(m_clock->elapsedMs()),
                                               QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))),
                                      false);
        else
            output->clock->clearNotice();
    }
}

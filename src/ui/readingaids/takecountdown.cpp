#include "ui/readingaids/takecountdown.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "core/engine/countdown.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/readingaids/noticeboard.h"
#include "ui/readingaids/readingaids.h"

namespace {
// How near the script's start (pixels) a page still counts as standing there.
constexpr int startTolerance = 2;
const int countdownLengths[] = {3, 5, 10};
} // namespace

TakeCountdown::TakeCountdown(const PrompterParts &parts, ReadingAids &aids, NoticeBoard &notices,
                             QObject *parent)
    : QObject(parent), m_view(parts.view), m_engine(parts.engine), m_page(parts.page), m_aids(aids),
      m_notices(notices), m_countdown(new Countdown(this))
{
    setObjectName(QStringLiteral("takecountdown"));
    m_countdown->setObjectName(QStringLiteral("countdown"));
    m_menu = new QMenu(&parts.menu);
    m_menu->setObjectName(QStringLiteral("Countdown1"));
    m_menu->setStyleSheet(parts.menu.styleSheet());
    m_on = m_menu->addAction(QString());
    m_on->setObjectName(QStringLiteral("CountdownOn1"));
    m_on->setCheckable(true);
    m_menu->addSeparator();
    auto *lengths = new QActionGroup(m_menu);
    for (const int seconds : countdownLengths) {
        QAction *action = m_menu->addAction(QString());
        action->setCheckable(true);
        action->setData(seconds);
        lengths->addAction(action);
        connect(action, &QAction::triggered, this, [this, seconds] {
            m_aids.change([seconds](ReadingAidSettings &aids) { aids.countdownSeconds = seconds; });
        });
    }
    connect(m_on, &QAction::triggered, this,
            [this](bool on) { m_aids.change([on](ReadingAidSettings &aids) { aids.countdown = on; }); });
    connect(&aids, &ReadingAids::changed, this, &TakeCountdown::showAids);

    // Any key or click while it counts cancels it, and does nothing else.
    parts.commands.addInputGuard([this] {
        if (!isActive())
            return false;
        cancel();
        return true;
    });
    connect(&m_engine, &PromptEngine::stateChanged, this, &TakeCountdown::check);
    const auto showSeconds = [this] {
        m_notices.setCounting(m_countdown->isActive() ? QString::number(m_countdown->secondsLeft())
                                                      : QString());
    };
    connect(m_countdown, &Countdown::changed, this, showSeconds);
    connect(m_countdown, &Countdown::cancelled, this, showSeconds);
    connect(m_countdown, &Countdown::finished, this, [this, showSeconds] {
        showSeconds();
        m_passed = true;
        m_engine.resume();
    });
    parts.commands.addStatePart([this](PrompterSnapshot &state) {
        state.countdownLeft = isActive() ? m_countdown->secondsLeft() : m_prompterCounting;
    });
    connect(m_countdown, &Countdown::changed, &parts.commands, &PrompterCommands::notifyStateChanged);
    connect(m_countdown, &Countdown::cancelled, &parts.commands, &PrompterCommands::notifyStateChanged);
    connect(m_countdown, &Countdown::finished, &parts.commands, &PrompterCommands::notifyStateChanged);
}

void TakeCountdown::showPrompterCounting(int secondsLeft)
{
    if (secondsLeft == m_prompterCounting || isActive())
        return;
    m_prompterCounting = secondsLeft;
    m_notices.setCounting(secondsLeft > 0 ? QString::number(secondsLeft) : QString());
}

void TakeCountdown::countFrom(int seconds)
{
    m_prompterCounting = 0;
    m_countdown->continueFrom(seconds);
    m_engine.pause();
}

bool TakeCountdown::isActive() const
{
    return m_countdown->isActive();
}

void TakeCountdown::cancel()
{
    m_countdown->cancel();
}

void TakeCountdown::setTexts()
{
    m_menu->setTitle(i18n(str::MenuCountdown));
    m_on->setText(i18n(str::MenuCountdownOn));
    showAids();
}

void TakeCountdown::showAids()
{
    const ReadingAidSettings &aids = m_aids.values();
    m_on->setChecked(aids.countdown);
    for (QAction *action : m_menu->actions()) {
        if (action->data().isValid()) {
            action->setText(i18n(str::SecondsValue).arg(action->data().toInt()));
            action->setChecked(action->data().toInt() == aids.countdownSeconds);
        }
    }
}

bool TakeCountdown::atScriptStart() const
{
    const int start = m_view.upsideDownLocally() ? m_view.state().pagebottom : 0;
    return std::abs(m_page.estimatedPosition() - start) <= startTolerance;
}

void TakeCountdown::check()
{
    const bool running = m_engine.isRunning();
    const bool starting = running && !m_wasRunning;
    m_wasRunning = running;
    if (!running && !m_countdown->isActive())
        m_passed = false;
    // Started by hand (a toolbar image) while counting: the operator has not waited for it.
    if (starting && m_countdown->isActive()) {
        m_countdown->cancel();
        return;
    }
    if (!starting || !m_aids.values().countdown || m_passed || m_countdown->isActive() ||
        m_view.state().helpshown || !m_page.isScriptPage() || !atScriptStart())
        return;
    // Counted first, so that the pause below finds the countdown under way.
    m_countdown->start(m_aids.values().countdownSeconds);
    m_engine.pause();
}

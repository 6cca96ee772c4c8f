// The countdown into a take: started instead of a run that begins at the script's start, shown
// big on the prompter's page and the talent's, and cancelled by any key or click.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "ui/browser/browser.h"
#include "core/engine/countdown.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "ui/prompter/outputwindow.h"
#include "ui/prompter/pagenotice.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"

namespace {
// How near the script's start (pixels) a page still counts as standing there.
constexpr int startTolerance = 2;
const int countdownLengths[] = {3, 5, 10};
} // namespace

void TForm1::createCountdown()
{
    countdown = new Countdown(this);
    countdown->setObjectName(QStringLiteral("countdown"));
    prompternotice = new PageNotice(wb1);

    Countdown1 = new QMenu(JvPopupMenu1);
    Countdown1->setObjectName(QStringLiteral("Countdown1"));
    Countdown1->setStyleSheet(JvPopupMenu1->styleSheet());
    CountdownOn1 = Countdown1->addAction(QString());
    CountdownOn1->setObjectName(QStringLiteral("CountdownOn1"));
    CountdownOn1->setCheckable(true);
    Countdown1->addSeparator();
    auto *lengths = new QActionGroup(Countdown1);
    for (const int seconds : countdownLengths) {
        QAction *action = Countdown1->addAction(QString());
        action->setCheckable(true);
        action->setData(seconds);
        lengths->addAction(action);
        connect(action, &QAction::triggered, this, [this, seconds] {
            ReadingAidSettings values = readingaids;
            values.countdownSeconds = seconds;
            setReadingAids(values);
        });
    }
    connect(CountdownOn1, &QAction::triggered, this, [this](bool on) {
        ReadingAidSettings values = readingaids;
        values.countdown = on;
        setReadingAids(values);
    });

    connect(engine, &PromptEngine::stateChanged, this, &TForm1::checkCountdown);
    connect(countdown, &Countdown::changed, this, &TForm1::showNotices);
    connect(countdown, &Countdown::cancelled, this, &TForm1::showNotices);
    connect(countdown, &Countdown::finished, this, [this] {
        showNotices();
        m_countdownPassed = true;
        engine->resume();
    });
}

void TForm1::setCountdownTexts()
{
    Countdown1->setTitle(i18n(str::MenuCountdown));
    CountdownOn1->setText(i18n(str::MenuCountdownOn));
    CountdownOn1->setChecked(readingaids.countdown);
    for (QAction *action : Countdown1->actions()) {
        if (action->data().isValid()) {
            action->setText(i18n(str::SecondsValue).arg(action->data().toInt()));
            action->setChecked(action->data().toInt() == readingaids.countdownSeconds);
        }
    }
}

bool TForm1::atScriptStart() const
{
    const int start = upsideDownLocally() ? promptstate.pagebottom : 0;
    return std::abs(wb1->estimatedPosition() - start) <= startTolerance;
}

void TForm1::checkCountdown()
{
    const bool running = engine->isRunning();
    const bool starting = running && !m_wasRunning;
    m_wasRunning = running;
    if (!running && !countdown->isActive())
        m_countdownPassed = false;
    // Started by hand (a toolbar image) while counting: the operator has not waited for it.
    if (starting && countdown->isActive()) {
        countdown->cancel();
        return;
    }
    if (!starting || !readingaids.countdown || m_countdownPassed || countdown->isActive() ||
        promptstate.helpshown || !wb1->isScriptPage() || !atScriptStart())
        return;
    // Counted first, so that the pause below finds the countdown under way.
    countdown->start(readingaids.countdownSeconds);
    engine->pause();
}

void TForm1::cancelcountdown()
{
    countdown->cancel();
}

void TForm1::showNotices()
{
    const QString counting = countdown->isActive() ? QString::number(countdown->secondsLeft()) : QString();
    prompternotice->setTurn(mirroredLocally(), upsideDownLocally());
    if (counting.isEmpty())
        prompternotice->clearNotice();
    else
        prompternotice->showNotice(counting, false);
    if (OutputWindow *output = outputwindow()) {
        output->notice->setTurn(mirroredRemotely(), upsideDownRemotely());
        // The countdown goes before a message for the talent, which comes back after it.
        if (!counting.isEmpty())
            output->notice->showNotice(counting, false);
        else if (!talentmessage.isEmpty())
            output->notice->showNotice(talentmessage, readingaids.flashMessages);
        else
            output->notice->clearNotice();
    }
}

// The clocks of the show: the show clock, the time of day, the script's reading time and the end
// forecast, in the status line and (when chosen) on the talent display; their keys and menu.
#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/readingestimate.h"
#include "core/engine/showclock.h"
#include "core/engine/timereadout.h"
#include "core/platform/translation.h"
#include "ui/prompter/outputwindow.h"
#include "ui/prompter/pagenotice.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"

namespace {
// Free keys (see tform1_markers.cpp): Insert starts and stops the show clock, Delete resets it.
constexpr Qt::Key showClockKey = Qt::Key_Insert;
constexpr Qt::Key showClockResetKey = Qt::Key_Delete;
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

void TForm1::createTiming()
{
    showclock = std::make_unique<ShowClock>();
    clocktimer = new QTimer(this);
    clocktimer->setObjectName(QStringLiteral("clocktimer"));
    clocktimer->setInterval(clockRefreshMs);
    connect(clocktimer, &QTimer::timeout, this, &TForm1::showClocks);
    clocktimer->start();
    m_speedSteady.start();
    connect(engine, &PromptEngine::speedApplied, this, [this] { m_speedSteady.restart(); });

    Timing1 = new QMenu(JvPopupMenu1);
    Timing1->setObjectName(QStringLiteral("Timing1"));
    ShowClockRun1 = Timing1->addAction(QString());
    ShowClockRun1->setObjectName(QStringLiteral("ShowClockRun1"));
    ShowClockRun1->setShortcut(QKeySequence(showClockKey));
    ShowClockRun1->setShortcutContext(Qt::WidgetShortcut);
    ShowClockReset1 = Timing1->addAction(QString());
    ShowClockReset1->setObjectName(QStringLiteral("ShowClockReset1"));
    ShowClockReset1->setShortcut(QKeySequence(showClockResetKey));
    ShowClockReset1->setShortcutContext(Qt::WidgetShortcut);
    Timing1->addSeparator();
    ClocksOnTalent1 = Timing1->addAction(QString());
    ClocksOnTalent1->setObjectName(QStringLiteral("ClocksOnTalent1"));
    ClocksOnTalent1->setCheckable(true);
    ReadingPace1 = Timing1->addMenu(QString());
    ReadingPace1->setObjectName(QStringLiteral("ReadingPace1"));
    auto *paces = new QActionGroup(ReadingPace1);
    for (const int wpm : readingPaces) {
        QAction *action = ReadingPace1->addAction(QString());
        action->setCheckable(true);
        action->setData(wpm);
        paces->addAction(action);
        connect(action, &QAction::triggered, this, [this, wpm] {
            ReadingAidSettings values = readingaids;
            values.wordsPerMinute = wpm;
            setReadingAids(values);
        });
    }
    for (QMenu *menu : {Timing1, ReadingPace1})
        menu->setStyleSheet(JvPopupMenu1->styleSheet());
    connect(ShowClockRun1, &QAction::triggered, this, &TForm1::toggleshowclock);
    connect(ShowClockReset1, &QAction::triggered, this, &TForm1::resetshowclock);
    connect(ClocksOnTalent1, &QAction::triggered, this, [this](bool on) {
        ReadingAidSettings values = readingaids;
        values.clocksOnTalent = on;
        setReadingAids(values);
    });
}

void TForm1::setTimingTexts()
{
    Timing1->setTitle(i18n(str::MenuTiming));
    ShowClockRun1->setText(i18n(str::MenuShowClockRun));
    ShowClockReset1->setText(i18n(str::MenuShowClockReset));
    ClocksOnTalent1->setText(i18n(str::MenuClocksOnTalent));
    ClocksOnTalent1->setChecked(readingaids.clocksOnTalent);
    ReadingPace1->setTitle(i18n(str::MenuReadingPace));
    for (QAction *action : ReadingPace1->actions()) {
        action->setText(i18n(str::WordsPerMinuteValue).arg(action->data().toInt()));
        action->setChecked(action->data().toInt() == readingaids.wordsPerMinute);
    }
}

void TForm1::startshowclock()
{
    showclock->start();
    showClocks();
}

void TForm1::stopshowclock()
{
    showclock->stop();
    showClocks();
}

void TForm1::toggleshowclock()
{
    if (showclock->isRunning())
        stopshowclock();
    else
        startshowclock();
}

void TForm1::resetshowclock()
{
    showclock->reset();
    showClocks();
}

qint64 TForm1::scriptreadingms() const
{
    return readingms(m_scriptWords, readingaids.wordsPerMinute);
}

QString TForm1::clocktexts() const
{
    QString text = i18n(str::ClockReadout)
                       .arg(hoursMinutesSeconds(showclock->elapsedMs()),
                            QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                            hoursMinutesSeconds(scriptreadingms()));
    const bool scriptShown = wb1->isScriptPage() && !promptstate.helpshown;
    const QDateTime ends = endforecast(
        QDateTime::currentDateTime(), engine->remainingMs(wb1->estimatedPosition(), promptstate.pagebottom),
        m_speedSteady.elapsed(), scriptShown && engine->isRunning() && !engine->isGliding());
    if (ends.isValid())
        text += QLatin1Char(' ') + i18n(str::EndsAt).arg(ends.time().toString(QStringLiteral("HH:mm:ss")));
    return text;
}

void TForm1::showClocks()
{
    const QString text = clocktexts();
    clocklabel->setText(text);
    if (OutputWindow *output = outputwindow()) {
        output->clock->setTurn(mirroredRemotely(), upsideDownRemotely());
        if (readingaids.clocksOnTalent)
            output->clock->showNotice(i18n(str::TalentClocks)
                                          .arg(hoursMinutesSeconds(showclock->elapsedMs()),
                                               QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))),
                                      false);
        else
            output->clock->clearNotice();
    }
}

// The prompter window's side of the scroll engine: the speed sliders and the status texts that
// show the engine's state, and the time read-outs.
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimer>

#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "core/engine/timereadout.h"
#include "core/platform/translation.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/tform1.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "stringtable.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"

void TForm1::adjustspeed()
{
    engine->applySpeed();
    QApplication::processEvents();
}

void TForm1::slideraChange()
{
    m_commands->takeOver();
    engine->setSpeed(slidera->value());
    Label1->repaint();
    wb1->focusPage();
}

void TForm1::dopause()
{
    engine->pause();
}

void TForm1::doreset()
{
    engine->reset();
}

void TForm1::resume()
{
    engine->resume();
}

void TForm1::Timer1Timer(int ticks)
{
    engine->tick(ticks);
}

void TForm1::speedmodChanged()
{
    adjustspeed();
    wb1->focusPage();
}

void TForm1::speedmodMouseUp()
{
    wb1->focusPage();
}

void TForm1::showRunState()
{
    const bool running = engine->isRunning();
    Label1->setText(running ? i18n(str::Speed) + QString::number(engine->scrollspeed()) : i18n(str::Paused));
    if (!running && m_showsRunning)
        Image1->setPixmap(ImageList2.picture(0, devicePixelRatioF()));
    m_showsRunning = running;
}

void TForm1::showSpeed()
{
    // The sliders show what the engine has put in force; the engine keeps the speed within the
    // slider's range itself.
    {
        const QSignalBlocker quiet(slidera);
        slidera->setValue(engine->scrollspeed());
    }
    {
        const QSignalBlocker quiet(speedmod);
        speedmod->setValue(engine->coarse());
    }
    coarselabel->setText(i18n(str::Coarse) + QString::number(engine->coarse()));
}

void TForm1::showMotion(double pixelsPerSecond)
{
    // The output learns of a new rate at once, from where the prompter's page stands by now,
    // without waiting for the page's answer.
    m_talent->follower()->followFrom(wb1->estimatedPosition(), double(QDateTime::currentMSecsSinceEpoch()),
                                     pixelsPerSecond);
    if (pixelsPerSecond != 0) {
        readouttimer->start();
    } else if (readouttimer->isActive()) {
        // The motion has stopped: bring the page's position up to date once more.
        readouttimer->stop();
        wb1->queryPosition();
    }
}

void TForm1::calctime(const QString &kind)
{
    const int position = wb1->estimatedPosition();
    if (kind == QLatin1String("timespent"))
        timespentlabel->setText(i18n(str::Elapsed) +
                                clocktext(engine->elapsedMs(position, promptstate.pagebottom)));
    else if (kind == QLatin1String("timeleft"))
        timeleftlabel->setText(i18n(str::Remaining) +
                               clocktext(engine->remainingMs(position, promptstate.pagebottom)));
}

// The scroll engine and the time read-outs of the prompter window.
#include <cstdlib>

#include <QApplication>
#include <QDateTime>
#include <QLabel>

#include "platform/browser.h"
#include "platform/stepslider.h"
#include "platform/ticktimer.h"
#include "platform/toolimage.h"
#include "platform/translation.h"
#include "prompter/tform1.h"
#include "prompter/timereadout.h"
#include "stringtable.h"

namespace {
constexpr int maxSpeed = 300;
constexpr int speedStep = 10;

int tickInterval(int speed)
{
    return 301 - std::abs(speed);
}
} // namespace

void TForm1::adjustspeed()
{
    const int speed = promptstate.scrollspeed;
    Timer1->setEnabled(speed != 0);
    Timer1->setInterval(tickInterval(speed));
    promptstate.scrollforward = speed > 0;
    Label1->setText(Timer1->isEnabled() ? i18n(str::Speed) + QString::number(speed) : i18n(str::Paused));
    // The slider clamps the speed; when its value changes, slideraChange copies it back.
    slidera->setValue(speed);
    coarselabel->setText(i18n(str::Coarse) + QString::number(speedmod->value()));
    updatemotion();
    QApplication::processEvents();
}

void TForm1::slideraChange()
{
    promptstate.scrollspeed = slidera->value();
    Label1->setText(i18n(str::Speed) + QString::number(promptstate.scrollspeed));
    Timer1->setInterval(tickInterval(promptstate.scrollspeed));
    Label1->repaint();
    promptstate.scrollforward = promptstate.scrollspeed > 0;
    if (promptstate.scrollspeed == 0)
        dopause();
    else
        Timer1->setEnabled(true);
    updatemotion();
    wb1->focusPage();
}

void TForm1::dopause()
{
    Label1->setText(i18n(str::Paused));
    Timer1->setEnabled(false);
    Image1->setPixmap(ImageList2.picture(0, devicePixelRatioF()));
}

void TForm1::doreset()
{
    if (upsideDownLocally())
        wb1->scrollToBottom();
    else
        wb1->scrollToTop();
    dopause();
}

void TForm1::resume()
{
    Timer1->setEnabled(true);
    Label1->setText(i18n(str::Speed) + QString::number(promptstate.scrollspeed));
}

void TForm1::Timer1Timer(int ticks)
{
    // Forward moves down the page, or up it when the page is turned upside down here.
    if (!smoothmotion) {
        const int coarse = speedmod->value();
        const bool down = promptstate.scrollforward != upsideDownLocally();
        wb1->scrollStep((down ? coarse : -coarse) * ticks);
    }
    calctime(QStringLiteral("timeleft"));
    calctime(QStringLiteral("timespent"));
}

double TForm1::scrollrate() const
{
    if (!Timer1->isEnabled())
        return 0;
    const bool down = promptstate.scrollforward != upsideDownLocally();
    const double rate = speedmod->value() * 1000.0 / Timer1->interval();
    return down ? rate : -rate;
}

void TForm1::updatemotion()
{
    const double rate = smoothmotion ? scrollrate() : 0;
    if (rate != wb1->smoothMotion()) {
        // The output learns of a new rate at once, from where the prompter's page stands by now,
        // without waiting for the page's answer.
        followoutputfrom(wb1->estimatedPosition(), double(QDateTime::currentMSecsSinceEpoch()), rate);
    }
    wb1->setSmoothMotion(rate);
    if (rate != 0) {
        readouttimer->start();
    } else if (readouttimer->isActive()) {
        // The motion has stopped: bring the page's position up to date once more.
        readouttimer->stop();
        wb1->queryPosition();
    }
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

void TForm1::increaseSpeed()
{
    if (promptstate.scrollspeed < maxSpeed)
        promptstate.scrollspeed += speedStep;
}

void TForm1::decreaseSpeed()
{
    if (promptstate.scrollspeed > -maxSpeed)
        promptstate.scrollspeed -= speedStep;
}

void TForm1::reverseDirection()
{
    promptstate.scrollspeed = -promptstate.scrollspeed;
}

void TForm1::coarseFaster()
{
    if (speedmod->value() < speedmod->maximum())
        speedmod->setValue(speedmod->value() + 1);
}

void TForm1::coarseSlower()
{
    if (speedmod->value() > speedmod->minimum())
        speedmod->setValue(speedmod->value() - 1);
}

void TForm1::calctime(const QString &kind)
{
    // The read-outs measure from the script's start, which lies at the page's bottom when the
    // page is turned upside down here.
    const int interval = Timer1->interval();
    const int coarse = speedmod->value();
    const int position = wb1->estimatedPosition();
    const bool turned = upsideDownLocally();
    if (kind == QLatin1String("timespent")) {
        const int distance = turned ? promptstate.pagebottom - position : position;
        timespentlabel->setText(i18n(str::Elapsed) + clocktext(scrolltime(distance, coarse, interval)));
    } else if (kind == QLatin1String("timeleft")) {
        const int distance = turned ? position : promptstate.pagebottom - position;
        timeleftlabel->setText(i18n(str::Remaining) + clocktext(scrolltime(distance, coarse, interval)));
    }
}

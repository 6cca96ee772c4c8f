#include "ui/toolkit/stepslider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

#include "core/platform/sliderstep.h"

StepSlider::StepSlider(QWidget *parent) : QSlider(Qt::Vertical, parent)
{
    m_trackRepeat.setInterval(trackRepeatMs);
    connect(&m_trackRepeat, &QTimer::timeout, this, &StepSlider::stepTrack);
    connect(this, &QSlider::sliderReleased, this, &StepSlider::changed);
}

void StepSlider::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        setValue(steppedvalue(value(), m_increment, minimum(), maximum(), event->key() == Qt::Key_Up));
        break;
    case Qt::Key_Home:
        setValue(minimum());
        break;
    case Qt::Key_End:
        setValue(maximum());
        break;
    default:
        QSlider::keyPressEvent(event);
        return;
    }
    event->accept();
    emit changed();
}

int StepSlider::sideOfThumb(int y) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect thumb = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    if (y < thumb.top())
        return 1;
    if (y > thumb.bottom())
        return -1;
    return 0;
}

void StepSlider::mousePressEvent(QMouseEvent *event)
{
    const int y = event->position().toPoint().y();
    const int side = event->button() == Qt::LeftButton ? sideOfThumb(y) : 0;
    if (side == 0) {
        QSlider::mousePressEvent(event);
        return;
    }
    event->accept();
    m_trackSide = side;
    m_pointerY = y;
    stepTrack();
    m_trackRepeat.start();
}

void StepSlider::mouseMoveEvent(QMouseEvent *event)
{
    if (m_trackSide != 0) {
        m_pointerY = event->position().toPoint().y();
        event->accept();
        return;
    }
    QSlider::mouseMoveEvent(event);
}

void StepSlider::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_trackSide != 0) {
        m_trackRepeat.stop();
        m_trackSide = 0;
        event->accept();
        emit changed();
    } else {
        QSlider::mouseReleaseEvent(event);
    }
    emit mouseUp();
}

void StepSlider::stepTrack()
{
    if (sideOfThumb(m_pointerY) != m_trackSide)
        return;
    setValue(steppedvalue(value(), m_increment, minimum(), maximum(), m_trackSide > 0));
}

#include "ui/toolkit/toolimage.h"

#include <QMouseEvent>

ToolImage::ToolImage(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ToolImage::press()
{
    emit mouseDown(Qt::LeftButton);
    emit mouseUp(Qt::LeftButton);
    emit clicked();
}

void ToolImage::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    emit mouseEnter();
}

void ToolImage::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    emit mouseLeave();
}

void ToolImage::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseDown(event->button());
}

void ToolImage::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit mouseUp(event->button());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

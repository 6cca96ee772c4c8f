#include "ui/app/quitrequest.h"

#include <QCoreApplication>
#include <QEvent>

QuitRequest::QuitRequest(QObject *parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool QuitRequest::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
        emit requested();
    return false;
}

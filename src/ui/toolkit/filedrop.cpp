#include "ui/toolkit/filedrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

FileDrop::FileDrop(QWidget *area, Picker wanted, std::function<void(const QStringList &)> dropped)
    : QObject(area), m_area(area), m_wanted(std::move(wanted)), m_dropped(std::move(dropped))
{
    // Drags are offered to the widget under the pointer that takes drops, or to the nearest of its
    // parents that does: the area takes them, so that every part of it is a place to drop on.
    area->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

FileDrop::~FileDrop()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool FileDrop::inArea(QObject *watched) const
{
    if (!m_area || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    return widget == m_area || m_area->isAncestorOf(widget);
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    if (!inArea(watched))
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QStringList files = m_wanted(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        QTimer::singleShot(0, this, [this, files] { m_dropped(files); });
    return true;
}

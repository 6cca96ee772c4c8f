#include "ui/toolkit/imagelist.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

ImageList::ImageList(const QString &name, QSize size) : m_name(name), m_size(size) {}

QString ImageList::path(int index) const
{
    return QStringLiteral(":/icons/%1-%2.svg").arg(m_name).arg(index, 2, 10, QLatin1Char('0'));
}

bool ImageList::has(int index) const
{
    return QFile::exists(path(index));
}

QIcon ImageList::icon(int index) const
{
    return has(index) ? QIcon(path(index)) : QIcon();
}

QPixmap ImageList::picture(int index, qreal devicePixelRatio) const
{
    QPixmap pixmap(m_size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::black);
    QSvgRenderer renderer(path(index));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(m_size)));
    }
    return pixmap;
}

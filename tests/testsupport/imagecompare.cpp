#include "testsupport/imagecompare.h"
#include "testsupport/eventwait.h"

#include <QTest>
#include <QWidget>

double differingShare(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            if (std::abs(qGray(p[col]) - qGray(q[col])) > 96)
                ++differing;
    }
    return double(differing) / (x.width() * x.height());
}

qint64 brightPixels(const QImage &image)
{
    qint64 bright = 0;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col)
            if (qGray(image.pixel(col, row)) > 128)
                ++bright;
    return bright;
}

QImage settledGrab(QWidget *widget)
{
    QImage previous;
    for (int i = 0; i < 40; ++i) {
        runEventsFor(100);
        QImage current = widget->grab().toImage();
        if (!previous.isNull() && current == previous && brightPixels(current) > 0)
            return current;
        previous = current;
    }
    return previous;
}

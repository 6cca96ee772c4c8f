#include "core/remote/qrsymbol.h"

#include <memory>

#include <QPainter>

#include <qrencode.h>

namespace {

// The blank margin a reader needs around the symbol, in modules.
constexpr int quietZone = 4;

} // namespace

QImage qrsymbol(const QString &text, int moduleSize)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code)
        return {};
    const int modules = code->width + 2 * quietZone;
    QImage image(modules * moduleSize, modules * moduleSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int row = 0; row < code->width; ++row)
        for (int column = 0; column < code->width; ++column)
            // The lowest bit of each module says whether it is dark.
            if (code->data[row * code->width + column] & 1)
                painter.fillRect((column + quietZone) * moduleSize, (row + quietZone) * moduleSize,
                                 moduleSize, moduleSize, Qt::black);
    return image;
}

// vantell-iconrender: renders an SVG picture as a square PNG of a given size. The build makes the
// icon's PNG sizes with it, so that no image tool is needed besides Qt.
#include <cstdio>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char *argv[])
{
    // A build step has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: vantell-iconrender PICTURE.svg SIZE OUTPUT.png\n");
        return 2;
    }
    QSvgRenderer picture(arguments.at(1));
    if (!picture.isValid()) {
        std::fprintf(stderr, "vantell-iconrender: not a readable SVG picture: %s\n",
                     qPrintable(arguments.at(1)));
        return 1;
    }
    bool sizeOk = false;
    const int size = arguments.at(2).toInt(&sizeOk);
    if (!sizeOk || size <= 0) {
        std::fprintf(stderr, "vantell-iconrender: not a size in pixels: %s\n", qPrintable(arguments.at(2)));
        return 2;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    picture.render(&painter);
    painter.end();

    const QString output = arguments.at(3);
    if (!QDir().mkpath(QFileInfo(output).absolutePath()) || !image.save(output, "PNG")) {
        std::fprintf(stderr, "vantell-iconrender: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}

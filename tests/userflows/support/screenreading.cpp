#include "screenreading.h"

#include <algorithm>

#include <QBuffer>
#include <QDir>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

int luminance(QRgb pixel)
{
    return (qRed(pixel) * 299 + qGreen(pixel) * 587 + qBlue(pixel) * 114) / 1000;
}

// OCR reads dark text on a light ground best, at about 30 px per capital letter.
QImage preparedForOcr(const QImage &image)
{
    QImage prepared = image.convertToFormat(QImage::Format_RGB32);
    qint64 dark = 0;
    for (int y = 0; y < prepared.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(prepared.constScanLine(y));
        for (int x = 0; x < prepared.width(); ++x)
            dark += luminance(line[x]) < 128;
    }
    if (dark * 2 > qint64(prepared.width()) * prepared.height())
        prepared.invertPixels();
    return prepared.scaled(prepared.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// OCR of `image`; `extra` asks for another output than plain text.
QString tesseract(const QImage &image, const QStringList &extra = {})
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    preparedForOcr(image).save(&buffer, "PNG");
    QProcess ocr;
    ocr.start(QStringLiteral("tesseract"), QStringList{QStringLiteral("stdin"), QStringLiteral("stdout"),
                                                       QStringLiteral("--psm"), QStringLiteral("6")} +
                                               extra);
    ocr.write(png);
    ocr.closeWriteChannel();
    ocr.waitForFinished(30000);
    return QString::fromUtf8(ocr.readAllStandardOutput());
}

} // namespace

QString readText(const QImage &image, Qt::CaseSensitivity keepCase)
{
    if (image.isNull())
        return {};
    QString text = tesseract(image);
    if (keepCase == Qt::CaseInsensitive)
        text = text.toLower();
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

QList<QRect> findWords(const QImage &image, const QString &word)
{
    QList<QRect> found;
    if (image.isNull())
        return found;
    // The table's columns: level, page, block, paragraph, line, word, left, top, width, height,
    // confidence, text; its places are in the picture OCR read, which is twice the size.
    const QStringList rows = tesseract(image, {QStringLiteral("tsv")}).split(QLatin1Char('\n'));
    for (const QString &row : rows) {
        const QStringList columns = row.split(QLatin1Char('\t'));
        // An icon beside a button's text reads as a sign stuck to the word ("@OK").
        static const QRegularExpression signs(QStringLiteral("^\\W+|\\W+$"));
        if (columns.size() < 12 ||
            QString(columns.at(11)).remove(signs).compare(word, Qt::CaseInsensitive) != 0)
            continue;
        found.append(QRect(columns.at(6).toInt() / 2, columns.at(7).toInt() / 2, columns.at(8).toInt() / 2,
                           columns.at(9).toInt() / 2));
    }
    std::sort(found.begin(), found.end(), [](const QRect &a, const QRect &b) {
        return a.top() / 8 != b.top() / 8 ? a.top() < b.top() : a.left() < b.left();
    });
    return found;
}

bool readsWords(const QString &text, const QString &words)
{
    // OCR sometimes puts a blank where there is none ("market. rtf"): words are looked for in the
    // text without its blanks.
    const QString joined = QString(text).remove(QLatin1Char(' '));
    const QStringList wanted = words.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(wanted.cbegin(), wanted.cend(),
                       [&](const QString &word) { return joined.contains(word); });
}

QRect brightBounds(const QImage &image, int threshold)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    int left = pixels.width(), top = pixels.height(), right = -1, bottom = -1;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (luminance(line[x]) <= threshold)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QList<QRect> textLines(const QImage &image, const QRect &area)
{
    const QImage pixels = image.copy(area).convertToFormat(QImage::Format_RGB32);
    QList<QRect> lines;
    int top = -1;
    int lastBright = -1;
    const auto close = [&] {
        const QImage band = pixels.copy(0, top, pixels.width(), lastBright - top + 1);
        lines << brightBounds(band).translated(area.left(), area.top() + top);
    };
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        if (!std::any_of(row, row + pixels.width(), [](QRgb p) { return luminance(p) > 128; }))
            continue;
        if (top >= 0 && y - lastBright > 4) {
            close();
            top = -1;
        }
        if (top < 0)
            top = y;
        lastBright = y;
    }
    if (top >= 0)
        close();
    return lines;
}

qint64 brightCount(const QImage &image, int threshold)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    qint64 count = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            count += luminance(line[x]) > threshold;
    }
    return count;
}

double differingShare(const QImage &a, const QImage &b, int tolerance)
{
    if (a.size() != b.size() || a.isNull())
        return 1;
    const QImage first = a.convertToFormat(QImage::Format_RGB32);
    const QImage second = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto *one = reinterpret_cast<const QRgb *>(first.constScanLine(y));
        const auto *other = reinterpret_cast<const QRgb *>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x) {
            differing += qAbs(qRed(one[x]) - qRed(other[x])) > tolerance ||
                         qAbs(qGreen(one[x]) - qGreen(other[x])) > tolerance ||
                         qAbs(qBlue(one[x]) - qBlue(other[x])) > tolerance;
        }
    }
    return double(differing) / (qint64(first.width()) * first.height());
}

QRgb commonColor(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            ++counts[line[x] | 0xFF000000];
    }
    QRgb common = 0;
    qint64 most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            common = it.key();
        }
    }
    return common;
}

QString described(const QImage &image, const QString &name)
{
    const QString folder = QStringLiteral(VANTELL_SHOTS_DIR);
    QDir().mkpath(folder);
    QString test = QString::fromLatin1(QTest::currentTestFunction());
    const char *row = QTest::currentDataTag();
    if (row)
        test += QLatin1Char('-') + QString::fromLatin1(row).replace(QLatin1Char(' '), QLatin1Char('_'));
    const QString path =
        QStringLiteral("%1/%2-%3-%4.png").arg(folder, QCoreApplication::applicationName(), test, name);
    image.save(path);
    return QStringLiteral("the screen (saved as %1) reads: \"%2\"").arg(path, readText(image));
}

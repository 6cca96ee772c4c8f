#include "ui/toolkit/pdfprinter.h"

#include <cups/cups.h>

#include <QDir>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

namespace {

QString writeToFile(const QByteArray &pdf, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit())
        return file.errorString();
    return {};
}

QString sendToPrinter(const QByteArray &pdf, const QString &title, const QPrinter &printer)
{
    QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/~XXXXXX.pdf"));
    if (!spool.open() || spool.write(pdf) != pdf.size() || !spool.flush())
        return spool.errorString();

    cups_option_t *options = nullptr;
    int count = 0;
    count = cupsAddOption("copies", QByteArray::number(printer.copyCount()).constData(), count, &options);
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        const QByteArray range =
            QByteArray::number(printer.fromPage()) + '-' + QByteArray::number(printer.toPage());
        count = cupsAddOption("page-ranges", range.constData(), count, &options);
    }
    const char *sides = "one-sided";
    if (printer.duplex() == QPrinter::DuplexLongSide)
        sides = "two-sided-long-edge";
    else if (printer.duplex() == QPrinter::DuplexShortSide)
        sides = "two-sided-short-edge";
    count = cupsAddOption("sides", sides, count, &options);
    if (printer.collateCopies())
        count = cupsAddOption("multiple-document-handling", "separate-documents-collated-copies", count,
                              &options);

    const int job =
        cupsPrintFile(printer.printerName().toLocal8Bit().constData(),
                      spool.fileName().toLocal8Bit().constData(), title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0)
        return QString::fromUtf8(cupsLastErrorString());
    return {};
}

} // namespace

QString printpdf(const QByteArray &pdf, const QString &title, const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return writeToFile(pdf, printer.outputFileName());
    return sendToPrinter(pdf, title, printer);
}

#pragma once

#include <QByteArray>
#include <QString>

class QPrinter;

// Prints a PDF document as it is, text as text, where `printer` was set up to print: into its
// output file, or through the print system to the chosen printer with its copies, page range
// and sides. Returns the text of the failure, or an empty string.
QString printpdf(const QByteArray &pdf, const QString &title, const QPrinter &printer);

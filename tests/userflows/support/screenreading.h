#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// Judging what the screen shows, as a person reading it would.

// The text in `image` as OCR reads it (tesseract), with white space folded to single blanks, in
// lower case unless asked to keep the case. Light text on a dark page is read as well as dark
// text on white.
QString readText(const QImage &image, Qt::CaseSensitivity keepCase = Qt::CaseInsensitive);

// Where OCR finds `word` (case-insensitive) in `image`, from the top down and left to right.
QList<QRect> findWords(const QImage &image, const QString &word);

// Whether `text` (as readText gives it) holds every word of `words`, in any order, blanks aside.
bool readsWords(const QString &text, const QString &words);

// The smallest rectangle that holds every pixel brighter than `threshold` (0..255), or an empty
// rectangle when there is none.
QRect brightBounds(const QImage &image, int threshold = 128);
qint64 brightCount(const QImage &image, int threshold = 128);
// The lines of light text in `area` of a dark `image`: the bright bounds of each band of rows with
// text, from the top. Rows a few pixels apart (the dots below an Arabic letter) belong to one line.
QList<QRect> textLines(const QImage &image, const QRect &area);
// The share of pixels (0..1) of two images of one size that differ by more than `tolerance` in
// any channel; 1 for images of different sizes.
double differingShare(const QImage &a, const QImage &b, int tolerance = 24);
// The colour most pixels of `image` have.
QRgb commonColor(const QImage &image);

// Saves `image` for the person reading a failure and returns a description of it: where it is
// saved and what OCR reads on it.
QString described(const QImage &image, const QString &name);

#pragma once

#include <QImage>

class QWidget;

// The share of pixels that differ clearly between two images of one size (1 for other sizes).
double differingShare(const QImage &a, const QImage &b);

// How many pixels are bright (text on the black page).
qint64 brightPixels(const QImage &image);

// A grab of `widget` once it has painted its last change: two grabs in a row agree and show text.
QImage settledGrab(QWidget *widget);

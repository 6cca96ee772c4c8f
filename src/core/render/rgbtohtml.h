#pragma once

#include <QColor>
#include <QString>

// Writes a colour the way HTML colour attributes want it.
class TJvRGBToHTML {
public:
    QColor RGBColor = Qt::black;

    // RGBColor as plain red, green and blue, each as two uppercase hexadecimal digits
    // ("FFFFFF" for white, "000000" for black).
    QString HTMLColor() const;
};

#pragma once

#include <QImage>
#include <QString>

// `text` as a QR code a phone's camera reads: black modules on white with the quiet zone around
// them, `moduleSize` pixels a module. A null image when the text is too long for any symbol.
QImage qrsymbol(const QString &text, int moduleSize);

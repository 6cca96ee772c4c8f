#pragma once

#include <functional>

#include <QString>

class QSettings;

// Writes one window's group with `write` and reports a file that cannot be written, once for a
// run of failed writes: the write of the other window and everything else go on.
void storeSettings(const QString &group, const std::function<void(QSettings &)> &write);

// The primary screen's logical pixels per inch, which stored placements are measured in.
int screenPixelsPerInch();

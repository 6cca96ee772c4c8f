#pragma once

#include <QStringList>

// Where the reader stands in a script that has changed: the line of `newLines` that stands for
// line `oldIndex` of `oldLines`. The same text nearest to the old place wins (lines inserted or
// removed above move it); a line whose text has gone keeps its place by number, within the new
// script. -1 when the new script is empty.
int nearestline(const QStringList &oldLines, int oldIndex, const QStringList &newLines);

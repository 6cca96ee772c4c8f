#include "core/prompter/nearestline.h"

#include <algorithm>
#include <cstdlib>

int nearestline(const QStringList &oldLines, int oldIndex, const QStringList &newLines)
{
    if (newLines.isEmpty())
        return -1;
    const int last = int(newLines.size()) - 1;
    const int place = std::clamp(oldIndex, 0, last);
    if (oldIndex < 0 || oldIndex >= oldLines.size())
        return place;
    // Blank lines say nothing about where the reader is.
    const QString &text = oldLines.at(oldIndex);
    if (text.trimmed().isEmpty())
        return place;
    int best = -1;
    for (int i = 0; i <= last; ++i)
        if (newLines.at(i) == text && (best < 0 || std::abs(i - oldIndex) < std::abs(best - oldIndex)))
            best = i;
    return best >= 0 ? best : place;
}

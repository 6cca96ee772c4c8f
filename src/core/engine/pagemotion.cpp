#include "core/engine/pagemotion.h"

#include <algorithm>
#include <cmath>

int movedposition(int position, double atTime, double rate, double now, int bottom)
{
    if (rate == 0 || atTime <= 0 || bottom < 0)
        return position;
    const double moved = position + rate * std::max(0.0, now - atTime) / 1000;
    return static_cast<int>(std::lround(std::clamp(moved, 0.0, double(bottom))));
}

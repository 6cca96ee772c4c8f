#include "core/platform/sliderstep.h"

#include <algorithm>
#include <cmath>

int steppedvalue(int value, int increment, int minimum, int maximum, bool upward)
{
    if (increment <= 0)
        return std::clamp(value, minimum, maximum);
    // Nearest multiple, halves to even (the default rounding mode of rint).
    const auto nearest = static_cast<int>(std::rint(static_cast<double>(value) / increment)) * increment;
    const int stepped = upward ? nearest + increment : nearest - increment;
    return std::clamp(stepped, minimum, maximum);
}

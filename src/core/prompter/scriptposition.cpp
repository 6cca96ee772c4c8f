#include "core/prompter/scriptposition.h"

#include <algorithm>
#include <cmath>

double scriptposition(int scroll, const ScriptPage &page)
{
    const int fromStart = page.upsideDown ? page.bottom - scroll : scroll;
    return fromStart / page.scale;
}

int scrollposition(double script, const ScriptPage &page)
{
    const int fromStart = static_cast<int>(std::lround(script * page.scale));
    const int scroll = page.upsideDown ? page.bottom - fromStart : fromStart;
    return std::clamp(scroll, 0, std::max(0, page.bottom));
}

bool oncourse(const ScriptMotion &placed, const ScriptMotion &reported, double tolerance)
{
    if (reported.rate == 0 || reported.rate != placed.rate)
        return false;
    const double placedNow = placed.script + placed.rate * (reported.time - placed.time) / 1000;
    return std::abs(placedNow - reported.script) <= tolerance;
}

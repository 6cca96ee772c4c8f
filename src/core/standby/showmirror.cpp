#include "core/standby/showmirror.h"

#include <algorithm>
#include <cmath>

double ShowMirror::scriptAt(double time) const
{
    const ScriptMotion now = motion();
    const double moved = now.script + now.rate * (time - now.time) / 1000.0;
    return std::clamp(moved, 0.0, double(std::max(0, m_state.pageBottom)));
}

double ShowMirror::errorAt(double script, double time) const
{
    return std::abs(script - scriptAt(time));
}

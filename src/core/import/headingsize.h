#pragma once

#include <QtGlobal>

// The size of a heading of `level` (0 for the first) whose style gives it none, from the size of
// the body text: the word processors' own proportions, down to the body size from level 4 on.
qreal headingpoints(int level, qreal bodyPoints);

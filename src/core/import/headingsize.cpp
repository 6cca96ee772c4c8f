#include "core/import/headingsize.h"

qreal headingpoints(int level, qreal bodyPoints)
{
    static const qreal scales[] = {1.6, 1.35, 1.15};
    return level >= 0 && level < 3 ? bodyPoints * scales[level] : bodyPoints;
}

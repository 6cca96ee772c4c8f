#include "core/engine/displaymodes.h"

DisplayTarget displaytarget(int index)
{
    switch (index) {
    case 1:
        return DisplayTarget::Remote;
    case 2:
        return DisplayTarget::Both;
    default:
        return DisplayTarget::Local;
    }
}

#include "core/prompter/placement.h"

namespace {
constexpr int stripHeight = 250;
}

QRect stripgeometry(const QSize &screen, const TaskbarPosition &taskbar, bool dockBottom, bool optionsExist,
                    const QRect &current)
{
    // QRect's right() and bottom() are one less than the edge coordinates the placement works
    // with; keep plain numbers instead.
    const int barLeft = taskbar.rect.x();
    const int barTop = taskbar.rect.y();
    const int barRight = taskbar.rect.x() + taskbar.rect.width();
    const int barBottom = taskbar.rect.y() + taskbar.rect.height();

    int left = 0;
    int width = screen.width();
    if (taskbar.edge == TaskbarPosition::Left) {
        left = barRight + 1;
        width = screen.width() - left;
    } else if (taskbar.edge == TaskbarPosition::Right) {
        width = screen.width() - (barRight - barLeft);
    }

    int top = 0;
    int height = current.height();
    if (optionsExist && dockBottom) {
        top = taskbar.edge == TaskbarPosition::Bottom ? barTop - (stripHeight + 1)
                                                      : screen.height() - stripHeight;
    } else {
        top = taskbar.edge == TaskbarPosition::Top ? barBottom + 1 : 0;
        height = stripHeight;
    }
    return {left, top, width, height};
}

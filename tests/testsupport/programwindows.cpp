#include "testsupport/programwindows.h"

#include <memory>

#include <QtGlobal>

namespace {
std::unique_ptr<Windows> &current()
{
    static std::unique_ptr<Windows> windows;
    return windows;
}
} // namespace

void createWindows()
{
    current() = std::make_unique<Windows>();
}

void destroyWindows()
{
    current().reset();
}

Windows &windows()
{
    if (!current())
        qFatal("no windows were made");
    return *current();
}

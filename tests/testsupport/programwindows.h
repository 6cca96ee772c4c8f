#pragma once

#include "ui/app/windows.h"

// The program's windows as a test or a benchmark makes them, one set at a time: made as at the
// program's start, found by the test's helpers, destroyed again.
void createWindows();
// Destroys them; nothing when there are none.
void destroyWindows();
// The windows made last; they must exist.
Windows &windows();

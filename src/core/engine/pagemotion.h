#pragma once

// Where a page that stood at scroll position `position` at `atTime` (milliseconds) and moves at
// `rate` pixels per second stands at `now`, within its ends 0 and `bottom`. A page whose end is not
// known yet (`bottom` < 0) or that has never reported (`atTime` 0) stays where it was.
int movedposition(int position, double atTime, double rate, double now, int bottom);

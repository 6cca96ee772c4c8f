#pragma once

// Keeping pages that show one script in different ways at the same place in it.
//
// The script position is how far the reader has come: the distance, in pixels of the prompter's
// page, from the script's start to the line at the top of what the reader sees. An upright page
// starts at its top and is read from the top edge of its view. A page turned upside down starts at
// its bottom; its reader sees the view turned back, so the view's bottom edge is the reader's top.
// A page drawn `scale` times the size of the prompter's page moves `scale` of its pixels for each
// pixel of the script.
struct ScriptPage {
    int bottom = 0; // the largest scroll position the page can take
    bool upsideDown = false;
    double scale = 1.0;
};

// The script position of `page` at the vertical scroll position `scroll`.
double scriptposition(int scroll, const ScriptPage &page);

// The scroll position that puts `page` at `script`, kept within the page's range (the page
// cannot go past its ends).
int scrollposition(double script, const ScriptPage &page);

// A motion through the script: at `time` (milliseconds) it stood at `script` and moves on at
// `rate` pixels of the script per second.
struct ScriptMotion {
    double script = 0;
    double time = 0;
    double rate = 0;
};

// Whether a page moving by itself along `placed` still agrees with `reported`, a moving page's
// report, within `tolerance` pixels of the script: then it need not be placed again. A page at
// rest, or one asked to change its rate, always is.
bool oncourse(const ScriptMotion &placed, const ScriptMotion &reported, double tolerance);

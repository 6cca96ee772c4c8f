#pragma once

// Which displays a mirror or rotate mode applies to: the operator's own page, the talent's
// display, or both.
enum class DisplayTarget { Local = 0, Remote = 1, Both = 2 };

// Where the prompter lies as a strip across the screen.
enum class Docking { Top = 0, Bottom = 1 };

// The display options the operator chooses in the options window. One value, owned by the
// prompter, written when the options window closes and read by whatever shapes the pages.
struct DisplayModes {
    Docking docking = Docking::Top;
    bool capitals = false;
    DisplayTarget mirrorTarget = DisplayTarget::Local;
    DisplayTarget rotateTarget = DisplayTarget::Local;
    bool smoothScrolling = false;
    // A script whose file changes on disk while it is shown is loaded again, the reader kept at
    // the nearest line.
    bool reloadChangedScript = false;

    // Whether the mirror (`mirroron`) and rotate (`rotateon`) toggles turn the operator's page
    // and the talent's display.
    bool mirroredLocally(bool mirroron) const { return mirroron && mirrorTarget != DisplayTarget::Remote; }
    bool upsideDownLocally(bool rotateon) const { return rotateon && rotateTarget != DisplayTarget::Remote; }
    bool mirroredRemotely(bool mirroron) const { return mirroron && mirrorTarget != DisplayTarget::Local; }
    bool upsideDownRemotely(bool rotateon) const { return rotateon && rotateTarget != DisplayTarget::Local; }

    bool operator==(const DisplayModes &) const = default;
};

// The target chosen as item `index` of a radio group "Local", "Remote", "Both"; no choice (-1)
// or one out of range counts as "Local".
DisplayTarget displaytarget(int index);

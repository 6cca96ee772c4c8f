#pragma once

class TForm4;

// The options window's settings kept between runs, taken from and given to the window.

// Restores them over the window's present values; called at the end of the window's creation.
// Should the window go without writing them, the values read are written back.
void restoreSettings(TForm4 *form);
// Writes what the window shows; called each time it closes (after Cancel has put the earlier
// choices back, so a cancelled choice is not kept).
void saveSettings(TForm4 *form);

#pragma once

class TForm1;

// The prompter window's settings kept between runs, taken from and given to the window.

// Restores them over the window's present values; called while the window is created. Should
// the window go without writing them, the values read are written back.
void restoreSettings(TForm1 *form);
// Writes them; called when the window closes.
void saveSettings(TForm1 *form);

#pragma once

class TForm4;

// The options window's stored settings: its placement and show state, and the options
// "Capitalize Script" (`allcaps`), "Vantell Placement" (`mainformlocation`) and "Smooth Scrolling"
// (`smoothscroll`) (group "Form4").

// Restores them over the window's present values; called at the end of the window's creation.
void restoreOptionsSettings(TForm4 *form);
// Writes what the window shows; called each time it closes (after Cancel has put the earlier
// choices back, so a cancelled choice is not kept).
void saveOptionsSettings(TForm4 *form);

#pragma once

class TForm1;

// The prompter window's stored settings: its placement, the display font, the coarse step, the
// scroll timer's interval and the output window's screen (group "Form1").

// Restores them over the window's present values; called while the window is created.
void restorePrompterSettings(TForm1 *form);
// Writes them; called when the window closes.
void savePrompterSettings(TForm1 *form);

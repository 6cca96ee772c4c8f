#pragma once

class Browser;
class TForm1;

// Where the prompter's page and the output window's page stand in the script, for tests of the
// dual display.

// The prompter page's place, from its last report.
double prompterPlace(const TForm1 *form);
// The output page's place, from its last report.
double outputPlace(const TForm1 *form);
// Asks `page` where it stands and waits for the answer; false on timeout.
bool askPosition(Browser *page);
// Waits until every request has been answered and both pages, asked where they really stand,
// agree within `tolerance` pixels of the script (or half a pixel of an output drawn smaller). Tells
// both places when they do not.
bool placesAgree(TForm1 *form, double tolerance = 0.5);

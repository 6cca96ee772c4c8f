#pragma once

// Gives assistive tools the program as its user sees it: only the windows on screen, each as a
// frame; the toolbar images as push buttons; the read-outs as polite statuses (StatusReadout).
// Call once, after the application object exists.
void installAccessibility();

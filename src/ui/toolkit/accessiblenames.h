#pragma once

class QWidget;

// Names the controls of a window for screen readers and automation tools where the window has not
// named them: a control captioned by a label (the label's buddy) takes the label's text, any other
// widget with a tool tip (its hint) takes the tool tip. Widgets that show a text of their own
// (labels, buttons, group boxes, menu items) already report that text, kept current as it
// changes, and are left alone. Call once the window is built and its texts are set.
void nameControlsAccessibly(QWidget *window);

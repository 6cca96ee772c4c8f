#pragma once

// What the prompting engine needs of the page it moves: relative and absolute moves, where the
// page stands, and a smooth motion of its own. The browser carries it in the program; tests give
// the engine a page of their own.
class PageSurface {
public:
    virtual ~PageSurface() = default;

    // Moves the page by `delta` pixels (negative: toward its top), from wherever it stands now.
    virtual void scrollBy(int delta) = 0;
    virtual void scrollToTop() = 0;
    virtual void scrollToBottom() = 0;
    // Puts the page at `y`, kept within its ends.
    virtual void scrollTo(int y) = 0;
    // Where the page stands now; -1 when it cannot tell.
    virtual int position() const = 0;
    // Moves the page on every display frame at `pixelsPerSecond` (negative: toward its top);
    // 0 stops the motion.
    virtual void setSmoothRate(double pixelsPerSecond) = 0;
    // The rate of the motion the page runs now (0: none).
    virtual double smoothRate() const = 0;
};

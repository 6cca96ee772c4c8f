#pragma once

// A jump of the page that the reader can follow: from where the page stands it moves to its
// target in a fraction of a second, easing in at the end, while the target itself moves on at the
// page's running rate, so the page arrives moving as fast as before. A jump further than a view's
// height leaps at once to a view's height before the target and glides the rest: the reader sees
// no blur of the text in between, and the browser draws two views instead of all between.
class Glide {
public:
    static constexpr double durationMs = 250;

    // From `from` to `to` (scroll positions), the page running at `rate` pixels per second, in a
    // view `viewHeight` pixels high.
    Glide(int from, int to, double rate, int viewHeight);

    // Where the page stands `elapsedMs` after the jump began.
    int position(double elapsedMs) const;
    bool finished(double elapsedMs) const { return elapsedMs >= durationMs; }
    // Where the jump starts gliding (after the leap, if any).
    int start() const { return m_start; }
    int target() const { return m_to; }

private:
    int m_start;
    int m_to;
    double m_rate;
};

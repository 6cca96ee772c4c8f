#pragma once

#include <algorithm>

#include "core/engine/pagesurface.h"

// A page of `bottom` + 1 scroll positions that moves at once and keeps a log of its smooth rates.
class FakePage : public PageSurface {
public:
    explicit FakePage(int bottom = 1000) : bottom(bottom) {}

    void scrollBy(int delta) override { y = std::clamp(y + delta, 0, bottom); }
    void scrollToTop() override { scrollTo(0); }
    void scrollToBottom() override { scrollTo(bottom); }
    void scrollTo(int to) override
    {
        y = std::clamp(to, 0, bottom);
        // Like the browser, a placement stops the page's own motion.
        rate = 0;
    }
    int position() const override { return y; }
    void setSmoothRate(double pixelsPerSecond) override { rate = pixelsPerSecond; }
    double smoothRate() const override { return rate; }

    int bottom;
    int y = 0;
    double rate = 0;
};

#pragma once

#include "core/engine/pagesurface.h"

class Browser;

// The browser's script page as the prompting engine moves it.
class BrowserSurface : public PageSurface {
public:
    explicit BrowserSurface(Browser &browser) : m_browser(browser) {}

    void scrollBy(int delta) override;
    void scrollToTop() override;
    void scrollToBottom() override;
    void scrollTo(int y) override;
    int position() const override;
    void setSmoothRate(double pixelsPerSecond) override;
    double smoothRate() const override;

private:
    Browser &m_browser;
};

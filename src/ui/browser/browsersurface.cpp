#include "ui/browser/browsersurface.h"

#include "ui/browser/browser.h"

void BrowserSurface::scrollBy(int delta)
{
    m_browser.scrollStep(delta);
}

void BrowserSurface::scrollToTop()
{
    m_browser.scrollToTop();
}

void BrowserSurface::scrollToBottom()
{
    m_browser.scrollToBottom();
}

void BrowserSurface::scrollTo(int y)
{
    m_browser.scrollTo(0, y);
}

int BrowserSurface::position() const
{
    return m_browser.estimatedPosition();
}

void BrowserSurface::setSmoothRate(double pixelsPerSecond)
{
    m_browser.setSmoothMotion(pixelsPerSecond);
}

double BrowserSurface::smoothRate() const
{
    return m_browser.smoothMotion();
}

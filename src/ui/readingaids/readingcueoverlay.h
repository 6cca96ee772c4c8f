#pragma once

#include <QWidget>

#include "core/engine/readingcue.h"

class Browser;

// The reading line drawn over a page: a see-through widget on top of the browser that paints the
// cue in the page's gutters and lets every click and key through to the page.
class ReadingCueOverlay : public QWidget {
    Q_OBJECT
public:
    // Covers `page` and follows its size.
    explicit ReadingCueOverlay(Browser *page);

    // Shows the cue `line` (hidden when `shown` is false) in the page's gutters; `upsideDown`: the
    // page is turned.
    void setCue(const ReadingLine &line, bool shown, bool upsideDown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    ReadingLine m_line;
    Browser *m_page;
    bool m_upsideDown = false;
};

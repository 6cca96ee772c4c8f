#include "ui/readingaids/readingcueoverlay.h"

#include <QEvent>
#include <QPainter>

#include "ui/browser/browser.h"

ReadingCueOverlay::ReadingCueOverlay(Browser *page) : QWidget(page), m_page(page)
{
    setObjectName(QStringLiteral("ReadingCue"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(page->rect());
    page->installEventFilter(this);
    hide();
}

void ReadingCueOverlay::setCue(const ReadingLine &line, bool shown, bool upsideDown)
{
    m_line = line;
    m_upsideDown = upsideDown;
    setVisible(shown);
    if (shown)
        raise(); // above the browser's own widgets, which it makes as it needs them
    update();
}

bool ReadingCueOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        else if (event->type() == QEvent::ChildAdded && isVisible())
            raise();
    }
    return QWidget::eventFilter(watched, event);
}

void ReadingCueOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor colour = m_line.colour;
    colour.setAlphaF(m_line.opacity / 100.0);
    painter.setBrush(colour);
    // The gutters are as wide as the page keeps them, in this view's pixels.
    const double gutter = m_page->gutter() * m_page->pageScale();
    for (const QPolygonF &shape : readingcueshapes(size(), gutter, m_line, m_upsideDown))
        painter.drawPolygon(shape);
}

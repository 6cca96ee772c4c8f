#include "ui/readingaids/pagenotice.h"

#include <algorithm>

#include <QEvent>
#include <QPainter>

namespace {
constexpr int flashMs = 500;
} // namespace

PageNotice::PageNotice(QWidget *page, Placement placement) : QWidget(page), m_placement(placement)
{
    setObjectName(QStringLiteral("PageNotice"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(page->rect());
    page->installEventFilter(this);
    m_flash.setInterval(flashMs);
    connect(&m_flash, &QTimer::timeout, this, [this] {
        m_lit = !m_lit;
        update();
    });
    hide();
}

void PageNotice::showNotice(const QString &text, bool flashing)
{
    m_text = text;
    m_lit = true;
    if (flashing)
        m_flash.start();
    else
        m_flash.stop();
    show();
    raise();
    update();
}

void PageNotice::clearNotice()
{
    m_text.clear();
    m_flash.stop();
    hide();
}

void PageNotice::setTurn(bool mirrored, bool upsideDown)
{
    m_mirrored = mirrored;
    m_upsideDown = upsideDown;
    update();
}

bool PageNotice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        else if (event->type() == QEvent::ChildAdded && isVisible())
            raise();
    }
    return QWidget::eventFilter(watched, event);
}

void PageNotice::paintEvent(QPaintEvent *)
{
    if (m_text.isEmpty() || !m_lit)
        return;
    QPainter painter(this);
    // Turned as the page is: about the centre.
    painter.translate(width() / 2.0, height() / 2.0);
    painter.scale(m_mirrored != m_upsideDown ? -1 : 1, m_upsideDown ? -1 : 1);
    painter.translate(-width() / 2.0, -height() / 2.0);

    // As big as fits: a short text (a number) fills most of the height.
    QFont font = painter.font();
    font.setBold(true);
    const bool corner = m_placement == Placement::Corner;
    const QRect area = corner ? rect().adjusted(width() / 2, 8, -8, -height() * 3 / 4)
                              : rect().adjusted(width() / 12, height() / 12, -width() / 12, -height() / 12);
    int size = std::max(8, corner ? area.height() * 2 / 5 : area.height() * 2 / 3);
    const int flags = (corner ? Qt::AlignRight | Qt::AlignTop : Qt::AlignCenter) | Qt::TextWordWrap;
    for (; size > 8; size = size * 9 / 10) {
        font.setPixelSize(size);
        const QRect needed = QFontMetrics(font).boundingRect(area, flags, m_text);
        if (needed.width() <= area.width() && needed.height() <= area.height())
            break;
    }
    font.setPixelSize(size);
    painter.setFont(font);
    const QRect box =
        QFontMetrics(font).boundingRect(area, flags, m_text).adjusted(-size / 4, 0, size / 4, 0);
    painter.fillRect(box, QColor(0, 0, 0, 200));
    painter.setPen(QColor(255, 220, 0));
    painter.drawText(area, flags, m_text);
}

#pragma once

#include <QTimer>
#include <QWidget>

// A notice shown big over a page until it is cleared: the countdown's seconds, or a message for
// the talent. It is drawn as the page is turned (mirrored, upside down), so that it reads as the
// page does, and lets every click and key through to the page.
class PageNotice : public QWidget {
    Q_OBJECT
public:
    // Big in the middle of the page, or small in its top right corner (as the reader sees it).
    enum class Placement { Middle, Corner };

    // Covers `page` and follows its size.
    explicit PageNotice(QWidget *page, Placement placement = Placement::Middle);

    // Shows `text`; `flashing`: it blinks, on and off twice a second.
    void showNotice(const QString &text, bool flashing);
    void clearNotice();
    QString text() const { return m_text; }
    void setTurn(bool mirrored, bool upsideDown);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    Placement m_placement;
    QString m_text;
    bool m_mirrored = false;
    bool m_upsideDown = false;
    bool m_lit = true;
    QTimer m_flash;
};

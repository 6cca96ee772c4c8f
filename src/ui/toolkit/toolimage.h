#pragma once

#include <QKeySequence>
#include <QLabel>

// A small picture that acts as a button: it reports the mouse entering and leaving it, and the
// press and release of any mouse button. The image that saw the press also gets the release,
// wherever the pointer is by then.
class ToolImage : public QLabel {
    Q_OBJECT
public:
    explicit ToolImage(QWidget *parent = nullptr);

    // Does what a quick click with the left button does, for the keyboard and assistive tools.
    void press();
    // The key that does what the image does, as assistive tools announce it.
    QKeySequence shortcut() const { return m_shortcut; }
    void setShortcut(const QKeySequence &keys) { m_shortcut = keys; }

signals:
    void mouseEnter();
    void mouseLeave();
    void mouseDown(Qt::MouseButton button);
    void mouseUp(Qt::MouseButton button);
    // A press and release of the left button over the image.
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QKeySequence m_shortcut;
};

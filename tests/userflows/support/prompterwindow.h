#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class XDesktop;

// The prompter window as its user knows it: the page in the middle, the logo (right click for
// the menu) at the left, the speed sliders at the right, the status line and the toolbar images
// along the bottom. Places are in the window's own coordinates.
class PrompterWindow {
public:
    enum class Tool {
        IncreaseSpeed,
        DecreaseSpeed,
        CoarseFaster,
        CoarseSlower,
        Pause,
        Reverse,
        Reset,
        PreviousScript,
        NextScript,
        Help,
        Rotate,
        Mirror,
        DualDisplay,
    };

    // `scale`: the program's scale factor (QT_SCALE_FACTOR): its parts are that much larger on
    // the screen.
    PrompterWindow(const XDesktop &desktop, quint64 window, int scale = 1)
        : m_desktop(desktop), m_window(window), m_scale(scale)
    {
    }

    quint64 id() const { return m_window; }
    QRect geometry() const;
    // The page, with or without the status panel below it.
    QRect pageArea(bool statusShown = true) const;
    QImage page(bool statusShown = true) const;
    // The status line, and its texts as read from the screen.
    QImage statusLine() const;
    QString statusText() const;
    // The middle of a toolbar image, and (for pictures) its place as the window lays it out.
    QPoint toolImage(Tool tool) const;
    QRect toolImageRect(Tool tool) const;
    void click(Tool tool) const;
    // Opens the popup menu (a right click on the logo) and picks an item by its keys.
    void menu(const QStringList &keys) const;
    void menu(const QString &key) const { menu(QStringList{key}); }
    // Keys pressed while the page has the focus.
    void keys(const QStringList &keys) const;
    // A click in the middle of the page (left pauses or resumes, right reverses).
    void clickPage(int button = 1) const;

    // How far the page's text moved up between two pictures of the page (negative: down), found
    // where the rows of the two pictures agree best.
    static int verticalShift(const QImage &before, const QImage &after, int largest = 120);

private:
    const XDesktop &m_desktop;
    quint64 m_window;
    int m_scale;
};

#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class XSession;

// What a user does and sees on the X display: real mouse and key events (through the XTEST
// extension, as xdotool sends them), the windows' places, and pictures of the screen.
class XDesktop {
public:
    explicit XDesktop(const XSession &session);

    // The id of the visible window whose title is exactly `title`, once it is there; 0 when none
    // appears within `timeoutMs`.
    quint64 waitForWindow(const QString &title, int timeoutMs = 15000) const;
    // Whether a visible window with that title is there now.
    bool hasWindow(const QString &title) const;
    // Waits until no visible window has that title.
    bool waitForWindowGone(const QString &title, int timeoutMs = 10000) const;
    // Waits until `window` has the keyboard (the window manager gives it back after a dialog).
    bool waitForActive(quint64 window, int timeoutMs = 10000) const;
    // The window's inside (without the window manager's frame), in screen coordinates.
    QRect geometry(quint64 window) const;
    void activate(quint64 window) const;
    // Moves the window (its frame) so that it stands at `topLeft` on the screen.
    void move(quint64 window, QPoint topLeft) const;
    // Asks the window manager to give the window's inside this size, as dragging its edge does.
    void resize(quint64 window, QSize size) const;

    // Mouse: moves to `at` (inside `window`) and clicks button 1 (left), 2 (middle) or 3 (right).
    void click(quint64 window, QPoint at, int button = 1) const;
    void press(quint64 window, QPoint at) const;
    void release() const;
    void moveMouse(quint64 window, QPoint at) const;
    void wheel(quint64 window, QPoint at, int notches) const;
    // Keys by their X names ("w", "Return", "ctrl+s", "alt+f"), one after the other.
    void key(const QStringList &keys) const;
    void key(const QString &keys) const { key(QStringList{keys}); }
    void type(const QString &text) const;

    // The whole screen, or one window's inside.
    QImage grab() const;
    QImage grab(quint64 window) const;

private:
    QString run(const QString &program, const QStringList &arguments) const;
    QString xdotool(const QStringList &arguments) const { return run(QStringLiteral("xdotool"), arguments); }
    QStringList windows(const QString &title) const;

    const XSession &m_session;
};

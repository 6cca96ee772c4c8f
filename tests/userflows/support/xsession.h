#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>

// A private X server (Xvfb) with a window manager (openbox), as a desktop session gives the
// program: windows get frames, focus and stacking as they would for a user.
class XSession {
public:
    explicit XSession(QSize screenSize = {1280, 800});
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Empty when the server and the window manager run; otherwise what went wrong.
    QString error() const { return m_error; }
    QString display() const { return m_display; }
    QSize screenSize() const { return m_screenSize; }

    // The environment of a program shown on this server.
    QProcessEnvironment environment() const;

private:
    bool startServer();
    bool startWindowManager();

    QSize m_screenSize;
    QString m_display;
    QString m_error;
    QProcess m_server;
    QProcess m_windowManager;
};

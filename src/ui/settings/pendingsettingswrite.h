#pragma once

#include <functional>

#include <QObject>

// Writes a window's settings, as they were read at its creation, when the window goes without
// having written them itself (the options window of a run that never showed it). It lives as a
// child of the window and keeps its own copy of the values: the window is half destroyed by then.
class PendingSettingsWrite : public QObject {
    Q_OBJECT
public:
    PendingSettingsWrite(QObject *window, std::function<void()> write);
    ~PendingSettingsWrite() override;

    // The window has written its settings: nothing is left to write.
    static void markWritten(QObject *window);

private:
    std::function<void()> m_write;
};

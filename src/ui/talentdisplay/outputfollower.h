#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class Browser;
class OutputWindow;

// Keeps the talent's output window at the prompter page's place in the script: every position the
// prompter's page reports (after a tick, a reset, a new page, a wheel turn or a key) and every new
// rate of its smooth motion is handed on, so the output never drifts from it.
class OutputFollower : public QObject {
    Q_OBJECT
public:
    explicit OutputFollower(Browser *prompterPage, QObject *parent = nullptr);
    ~OutputFollower() override;

    // The output window while it is open, else null.
    OutputWindow *window() const;
    // Opens the window full screen on the screen named `screenName`, or as a normal window when
    // there is no such screen.
    void open(const QString &screenName);
    void close();
    // Shows `pagelines` (already shaped for the talent's display) from the script's start;
    // `upsideDown`: the talent's page is turned.
    void showPage(const QStringList &pagelines, bool upsideDown);

    // The prompter's page is turned upside down, so its script starts at its bottom.
    void setPrompterUpsideDown(bool upsideDown) { m_prompterUpsideDown = upsideDown; }
    // While the prompter's new page is being put at its start it stands nowhere yet: the output
    // waits until it is released.
    void setHeld(bool held) { m_held = held; }
    bool isHeld() const { return m_held; }

    // Puts the output at the place the prompter's page last reported.
    void follow();
    // Puts the output at the prompter page's place `position`, where it stood at `atTime`, moving
    // on at `pageRate` pixels per second.
    void followFrom(int position, double atTime, double pageRate);

    // Black-out: the talent display shows nothing but black (the window stays open and keeps
    // following, so the text is back at its place at once). Kept while the window is closed.
    void setBlackout(bool blackout);
    bool isBlackout() const { return m_blackout; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The window opened or closed, or the black-out was switched.
    void changed();
    void keyPressed(int key);
    // The window has come to stand on the screen named `name`.
    void screenChanged(const QString &name);
    // The output's page lost its renderer and is being loaded again.
    void outputPageRestarted();

private:
    Browser *m_prompterPage;
    QPointer<OutputWindow> m_window;
    bool m_prompterUpsideDown = false;
    bool m_held = false;
    bool m_blackout = false;
};

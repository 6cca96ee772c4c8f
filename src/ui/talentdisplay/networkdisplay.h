#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include "core/remote/followerlink.h"

class OutputWindow;
class QScreen;

// A talent display on another computer (vantell --follow): the script of the prompter it
// follows, received over the control API, in an output window of its own, kept at the
// prompter's place and moving as it moves, timed by the prompter's clock, its lines broken at
// the prompter's width. Mirror and rotate are this display's own. Given several prompters (a
// prompter and its standby), it follows the first that answers and, when that one goes, the
// next: meanwhile the page moves on as it moved, and a page the next one shows as well is kept,
// so the talent sees neither a black page nor a jump. While no prompter can be reached the page
// holds still where it was and says so in its corner; the line is tried again by itself.
class NetworkDisplay : public QObject {
    Q_OBJECT
public:
    // How long the page moves on by itself while the next prompter is sought.
    static constexpr int coastMs = 3000;
    // Where the talent reads when the leader's edit names no line to hold: a third down, the habit.
    static constexpr double readingShare = 1.0 / 3;

    NetworkDisplay(const QList<QUrl> &leaders, bool mirror, bool rotate, QObject *parent = nullptr);
    ~NetworkDisplay() override;

    // Shows the window full screen on `screen`, or as a normal window when there is none.
    void open(QScreen *screen);
    OutputWindow *window() const;
    FollowerLink *link() { return &m_link; }

private:
    void showScript(const LeaderScript &script);
    // Makes an edit of the leader's page on this one in place; one missed, or one the page cannot
    // take, has the leader's script asked for anew.
    void editScript(const PageEdit &edit);
    void follow(const PrompterSnapshot &state);
    void connectionChanged(bool connected);
    void hold();

    QPointer<OutputWindow> m_window;
    FollowerLink m_link;
    bool m_mirror;
    bool m_rotate;
    bool m_hasScript = false;
    int m_edits = 0;          // the serial of the last edit the page holds
    QStringList m_shownLines; // the leader's page shown now
    int m_layoutWidth = 0;
    bool m_severalLeaders;
    QTimer m_coast;
    PrompterSnapshot m_last;
};

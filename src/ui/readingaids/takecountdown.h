#pragma once

#include <QObject>

class Browser;
class Countdown;
class NoticeBoard;
class PromptEngine;
class PrompterView;
class QAction;
class QMenu;
class ReadingAids;
struct PrompterParts;

// The countdown into a take: a run that starts at the script's start is counted into first,
// shown big on the prompter's page and the talent's; any key or click cancels it and the page
// stays paused. Its menu chooses whether it counts and for how long.
class TakeCountdown : public QObject {
    Q_OBJECT
public:
    TakeCountdown(const PrompterParts &parts, ReadingAids &aids, NoticeBoard &notices,
                  QObject *parent = nullptr);

    Countdown *countdown() const { return m_countdown; }
    QMenu *menu() const { return m_menu; }
    bool isActive() const;
    void cancel();
    void setTexts();
    // A standby shows its prompter's countdown, `secondsLeft` (0: none), without counting here:
    // the prompter's run starts the show.
    void showPrompterCounting(int secondsLeft);
    // Takes over a countdown under way: counts on from `seconds`, and starts the run at its end,
    // as the prompter would have.
    void countFrom(int seconds);

private:
    // Starts the countdown instead of the run the engine has just started, when that starts at
    // the script's start.
    void check();
    bool atScriptStart() const;
    void showAids();

    PrompterView &m_view;
    PromptEngine &m_engine;
    Browser &m_page;
    ReadingAids &m_aids;
    NoticeBoard &m_notices;
    Countdown *m_countdown;
    QMenu *m_menu;
    QAction *m_on;
    bool m_wasRunning = false;
    bool m_passed = false; // the run now starting has been counted into
    int m_prompterCounting = 0;
};

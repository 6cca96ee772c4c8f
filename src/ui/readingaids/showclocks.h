#pragma once

#include <memory>

#include <QElapsedTimer>
#include <QObject>

class Browser;
class PromptEngine;
class PrompterCommands;
class PrompterView;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class ReadingAids;
class ShowClock;
class TalentDisplay;
struct PrompterParts;

// The clocks of the show: the show clock, free-running and independent of the scrolling, the time
// of day, the script's reading time at the reading pace, and when the script will end while the
// speed is steady. Shown in the status line, and on the talent display when chosen; its menu
// also holds the talent message's entries.
class ShowClocks : public QObject {
    Q_OBJECT
public:
    ShowClocks(const PrompterParts &parts, ReadingAids &aids, TalentDisplay &talent,
               QObject *parent = nullptr);
    ~ShowClocks() override;

    QMenu *menu() const { return m_menu; }
    QLabel *label() const { return m_label; }
    ShowClock &clock() const { return *m_clock; }
    void start();
    void stop();
    void toggle();
    void reset();
    // The show clock as another prompter's shows it.
    void setClock(qint64 elapsedMs, bool running);
    // The script on the page, whose words the reading time counts.
    void countWords(const QStringList &scriptlines);
    // The reading time of the script on the page at the reading pace.
    qint64 scriptReadingMs() const;
    // The text of the clocks now, as the status line shows it.
    QString texts() const;
    void setTexts();

private:
    void show();
    void showAids();

    PrompterView &m_view;
    PrompterCommands &m_commands;
    PromptEngine &m_engine;
    Browser &m_page;
    ReadingAids &m_aids;
    TalentDisplay &m_talent;
    std::unique_ptr<ShowClock> m_clock;
    QLabel *m_label;
    QTimer *m_refresh;
    QMenu *m_menu;
    QMenu *m_paceMenu;
    QAction *m_run;
    QAction *m_reset;
    QAction *m_onTalent;
    QElapsedTimer m_speedSteady; // since the speed last changed
    int m_scriptWords = 0;
};

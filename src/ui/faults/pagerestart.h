#pragma once

#include <optional>

#include <QObject>

class Browser;
class PromptEngine;
class PrompterView;
class QTimer;
class QWidget;
class StatusNotice;
class TalentDisplay;
struct PrompterParts;

// Brings a page back when the browser's process that drew it ends (killed, crashed, out of
// memory): the prompter's page and the talent's are loaded again and put back at the script's
// place, while the engine runs on at its speed; the status line tells the operator.
class PageRestart : public QObject {
    Q_OBJECT
public:
    PageRestart(const PrompterParts &parts, TalentDisplay &talent, QObject *parent = nullptr);

    // The page's renderer ended; `hadDocument`: a document stood complete then.
    void restart(bool hadDocument);
    // A document has loaded: when it is a restarted page, it goes back to its place (true), not
    // to the script's start.
    bool placeRestarted();
    // A page built anew replaces one that was being restarted: it starts where its own load
    // puts it.
    void cancel();

signals:
    // A restarted page stands where it stood before.
    void restored();

private:
    void tellOperator();

    QWidget &m_window;
    PrompterView &m_view;
    PromptEngine &m_engine;
    Browser &m_page;
    StatusNotice &m_notice;
    TalentDisplay &m_talent;
    std::optional<int> m_restartAt; // where a restarted page is to be put back
    int m_restartTarget = 0;        // the same, kept until the page stands there again
    QTimer *m_watch;                // a restart that has not come back in time is tried again
};

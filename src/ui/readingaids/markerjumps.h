#pragma once

#include <functional>

#include <QList>
#include <QObject>
#include <QStringList>

#include "core/engine/scriptmarkers.h"
#include "core/settings/readingaidsettings.h"

class Browser;
class PromptEngine;
class PrompterView;
class QAction;
class QMenu;
class ReadingAids;
struct PageLayout;
struct PrompterParts;

// Markers and jumps: the script's markers put on its page, the jumps to them and by lines (keys,
// the menu, remote controls). Each jump glides the page to its place in a fraction of a second
// and carries on at the speed it had; a jump with no place to go leaves the page as it is.
class MarkerJumps : public QObject {
    Q_OBJECT
public:
    MarkerJumps(const PrompterParts &parts, ReadingAids &aids, QObject *parent = nullptr);

    QMenu *menu() const { return m_menu; }
    // Puts the markers of `scriptlines` on the page `pagelines` just built from them.
    void markPage(QStringList &pagelines, const QStringList &scriptlines, bool capitals);
    // Finds the markers of `scriptlines`, whose page has them on already (an edit made in place).
    void findMarkers(const QStringList &scriptlines);
    QStringList names() const;
    void next();
    void previous();
    void jumpTo(int index);
    // `lines` lines of text on in the script (negative: back).
    void jumpLines(int lines);
    // The list of markers, opened over the page from the keyboard.
    void showList();
    void setTexts();

private:
    // Measures the page and glides it to the position `target` computes from it.
    void glideToMeasured(const std::function<int(const PageLayout &)> &target);
    void fillList();
    void showAids(const ReadingAidSettings &before);

    PrompterView &m_view;
    PromptEngine &m_engine;
    Browser &m_page;
    ReadingAids &m_aids;
    QList<ScriptMarker> m_markers; // the markers of the script on the page
    QMenu *m_menu;
    QMenu *m_list;
    QAction *m_next;
    QAction *m_previous;
    QAction *m_forward;
    QAction *m_back;
    QAction *m_hide;
};

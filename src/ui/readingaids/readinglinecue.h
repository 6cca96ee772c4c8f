#pragma once

#include <functional>

#include <QObject>

#include "core/engine/readingcue.h"

class Browser;
class PrompterView;
class QAction;
class QActionGroup;
class QMenu;
class ReadingAids;
class ReadingCueOverlay;
class TalentDisplay;
struct PrompterParts;

// The reading line: the cue the talent reads at, drawn in the page's gutters on the prompter's
// page and the talent's, as the reading aids' settings say; its menu and key.
class ReadingLineCue : public QObject {
    Q_OBJECT
public:
    ReadingLineCue(const PrompterParts &parts, ReadingAids &aids, TalentDisplay &talent,
                   QObject *parent = nullptr);

    QMenu *menu() const { return m_menu; }
    // Shows the reading line as the settings say, on both displays, as they are turned now.
    void apply();
    void setTexts();

private:
    // Changes the reading line's settings by `change`.
    void change(const std::function<void(ReadingLine &)> &edit);
    QAction *check(const char *name, QActionGroup *group = nullptr);

    PrompterView &m_view;
    Browser &m_page;
    ReadingAids &m_aids;
    TalentDisplay &m_talent;
    ReadingCueOverlay *m_overlay;
    QMenu *m_menu;
    QMenu *m_colours;
    QMenu *m_opacities;
    QAction *m_onPrompter;
    QAction *m_onTalent;
    QAction *m_arrow;
    QAction *m_band;
    QAction *m_quarter;
    QAction *m_third;
    QAction *m_half;
};

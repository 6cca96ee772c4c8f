#pragma once

#include <functional>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/rundown/storyplaces.h"

class Browser;
class TalentDisplay;

// What changes on a continuous page: the stories' keys in their new order, those that leave it,
// the markup of those that are new or changed and the banners of those renumbered (by key, as the
// page's lines hold them), the stories that keep their place, and where the paragraphs that have
// gone are kept (by story key, by old paragraph key).
struct StoryPageChange {
    QList<int> order;
    QList<int> removed;
    QHash<int, QStringList> stories;
    QHash<int, QString> banners;
    QList<int> staying;
    QHash<int, QHash<int, int>> replacedBy;
};

// The continuous page in the browsers: where its stories stand, and its stories changed in place
// on the prompter's page and on the talent display's (resources/page/stories.js and
// rundownchange.js).
class RundownPage {
public:
    RundownPage(Browser &page, TalentDisplay &talent);

    // Measures the stories of the prompter's page; `done` gets them. Nothing runs without a
    // script page.
    void measure(std::function<void(const StoryLayout &)> done);
    // Makes `change` on the prompter's page, keeping the line at the reading line (`readingLine`:
    // a fraction of the view from the reader's top) where it is, and on the talent display's
    // page, which is loaded anew when it cannot take it; false, and nothing done, while the
    // prompter's page cannot. `done` runs once the prompter's page has it.
    bool change(const StoryPageChange &change, double readingLine, std::function<void()> done);

private:
    Browser &m_page;
    TalentDisplay &m_talent;
};

#pragma once

#include <functional>
#include <optional>

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTime>

#include "core/editlive/pageedit.h"
#include "core/rundown/continuousscript.h"
#include "core/rundown/storyplaces.h"
#include "core/settings/rundownsettings.h"
#include "ui/rundown/rundownpage.h"
#include "ui/rundown/rundownstage.h"
#include "ui/rundown/storyediting.h"

class Browser;
class PromptEngine;
class PrompterCommands;
class PrompterView;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class ReadingAids;
class RundownOptions;
class ScriptStage;
class StatusNotice;
class TalentDisplay;
class TForm4;
struct PrompterParts;

// The show as one continuous prompt. While it is on, every script of the queue (or every story of
// the newsroom's running order) is one page, each started by a banner; the story at the reading
// line is on air, the status line shows it and the next one, and the over/under against the
// show's planned end. A and D glide from story to story; the newsroom's changes reach the page in
// place. Kept between runs (group "Rundown"): off for the operator's queue of files, on for a
// running order, unless chosen otherwise.
//
// A story on air that the newsroom deletes or floats stays on the page, its banner saying so,
// until the reading line leaves it: the talent may be reading it aloud, and a page that jumps
// under the reader is worse on air than a story read to its end. It goes once the operator moves
// on, in place like any other change.
class Rundown : public QObject, public RundownStage, public StoryEditing {
    Q_OBJECT
public:
    // Reads a script file of the queue: its lines and whether they are markup; nothing (after a
    // message) for a file of a type no reader knows. Throws when the file cannot be read.
    using ScriptReader = std::function<std::optional<QStringList>(const QString &path, ScriptText &text)>;

    Rundown(const PrompterParts &parts, ScriptStage &stage, ReadingAids &aids, TalentDisplay &talent,
            ScriptReader read, QObject *parent = nullptr);

    QMenu *menu() const { return m_menu; }
    void setTexts();
    // Puts its options on a page of the options window, and takes them when it is confirmed.
    void attachOptions(TForm4 &options);

    // The switch, for the kind of queue there is now (files or a running order); kept.
    bool isContinuous() const override;
    void setContinuous(bool on);
    // The page shows the continuous queue now.
    bool showsContinuous() const override;
    // Shows entry `index` of the queue on the continuous page, building the page when it is not
    // shown or the queue has changed; false when the queue is not continuous (or is empty).
    bool showEntry(int index);
    void nextStory();
    void previousStory();
    // Glides to story `index` (from 0); an error text when there is no such story.
    QString jumpToStory(int index);
    void promptFromHere();
    // The page just loaded stands at its start.
    void pageMeasured();

    // The planned end of the show the operator gives (none: the one the source plans, if any).
    void setShowEnd(const std::optional<QTime> &end);
    QDateTime showEnd() const { return m_showEnd; }

    void setStories(std::function<QList<RundownEntry>()> stories, const QString &name) override;
    void storiesChanged(const QHash<int, QHash<int, int>> &replacedBy = {},
                        std::function<void()> done = {}) override;
    void setPlannedEnd(const QDateTime &end) override;

    std::optional<EditableStory> onAirStory() const override;
    std::optional<EditableStory> story(int key) const override;
    // An edited story keeps its text until its file is read again, or the newsroom changes it.
    bool editStory(int key, const QStringList &lines, std::function<void()> done) override;

    // The stories on the page, in the show's order, and the one on air (-1: none).
    const QList<StorySpan> &stories() const { return m_script.stories; }
    int storyOnAir() const { return m_onAir; }

signals:
    // The story on air, or the over/under, has changed.
    void changed();
    // The page was changed in place, as `edit` changes its lines: for displays that keep a copy.
    void pageEdited(const PageEdit &edit);

private:
    // A story as it was put on the page, for the next change: its entry, its number, its lines
    // and its words.
    struct ShownStory {
        RundownEntry entry;
        QString number;
        QStringList lines;
        int words = 0;
        int wordsPerMinute = 0; // the pace its banner's reading time is at
    };

    ReadingView readingView() const;
    QList<RundownEntry> currentEntries();
    QList<RundownEntry> fileEntries();
    QString pageName() const;
    void showPage(int entry);
    // The continuous script of `entries`, reusing what is on the page where it is unchanged;
    // `change` gets what the page must change.
    ContinuousScript assemble(const QList<RundownEntry> &entries, StoryPageChange *change);
    void applyEntries(const QList<RundownEntry> &entries, const QHash<int, QHash<int, int>> &replacedBy,
                      std::function<void()> done);
    // Measures the page's stories again; a page that does not hold the stories it should is built
    // anew.
    void remeasure();
    // The page holds other stories than the rundown put there: it is built anew.
    void rebuild();
    void glideToStory(const std::function<int(const StoryLayout &)> &target);
    void refresh();
    void showReadout();
    std::optional<qint64> overUnderMs() const;
    void fillStoryList();
    void storeSettings() const;
    int storyOfEntry(int entry) const;

    PrompterView &m_view;
    ScriptStage &m_stage;
    PrompterCommands &m_commands;
    PromptEngine &m_engine;
    Browser &m_browser;
    StatusNotice &m_notice;
    ReadingAids &m_aids;
    TalentDisplay &m_talent;
    ScriptReader m_read;
    RundownPage m_page;
    RundownSettings m_settings;
    std::function<QList<RundownEntry>()> m_stories; // none: the queue is the operator's files
    QString m_storiesName;
    // The continuous page as it was last put into the prompter.
    bool m_pageShown = false;
    QString m_pageName;
    QStringList m_filesShown; // the queue of files it was made of
    QList<RundownEntry> m_entries;
    ContinuousScript m_script;
    QHash<int, ShownStory> m_shown;
    StoryLayout m_layout;
    int m_onAir = -1;
    int m_onAirKey = -1;
    int m_heldKey = -1; // a story on air that the show has taken out, kept until the reader leaves it
    std::optional<int> m_pendingEntry; // the entry to stand at once the page is measured
    int m_revision = 0;                // counts the changes the rundown has made to the page
    int m_sinceMeasure = 0;            // refreshes since the page was last measured
    std::optional<qint64> m_overUnderSeconds;
    QDateTime m_showEnd;
    QTimer *m_refresh;
    QLabel *m_readout;
    QMenu *m_menu;
    QMenu *m_list;
    QAction *m_continuous;
    QAction *m_next;
    QAction *m_previous;
    QAction *m_fromHere;
    RundownOptions *m_group = nullptr;
};

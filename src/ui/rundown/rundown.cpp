#include "ui/rundown/rundown.h"

#include <cmath>

#include <QAction>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSet>
#include <QTimer>

#include "core/engine/promptengine.h"
#include "core/engine/readingestimate.h"
#include "core/platform/translation.h"
#include "core/render/scriptloader.h"
#include "core/rundown/backtiming.h"
#include "core/rundown/showchange.h"
#include "core/settings/settingsstore.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/options/rundownoptions.h"
#include "ui/options/tform4.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/prompter/scriptstage.h"
#include "ui/readingaids/readingaids.h"
#include "ui/settings/settingsgroup.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "ui/toolkit/elidedlabel.h"
#include "ui/toolkit/statusnotice.h"

namespace {

// The story on air changes as the reading line crosses a banner: looked at four times a second.
constexpr int refreshMs = 250;
// The page's stories are measured again once its length has changed (a new font, a new width).
constexpr int remeasureTicks = 4;

QList<int> storykeys(const QList<StorySpan> &stories)
{
    QList<int> keys;
    keys.reserve(stories.size());
    for (const StorySpan &story : stories)
        keys << story.key;
    return keys;
}

QString storytitle(const StorySpan &story)
{
    return story.number + QLatin1Char(' ') + story.name;
}

} // namespace

Rundown::Rundown(const PrompterParts &parts, ScriptStage &stage, ReadingAids &aids, TalentDisplay &talent,
                 ScriptReader read, QObject *parent)
    : QObject(parent), m_view(parts.view), m_stage(stage), m_commands(parts.commands), m_engine(parts.engine),
      m_browser(parts.page), m_notice(parts.notice), m_aids(aids), m_talent(talent), m_read(std::move(read)),
      m_page(parts.page, talent), m_refresh(new QTimer(this)), m_readout(new ElidedLabel(&parts.window))
{
    setObjectName(QStringLiteral("rundown"));
    SettingsStore store;
    m_settings = readrundownsettings(store.settings());

    m_readout->setObjectName(QStringLiteral("rundownlabel"));
    // As wide as its text while the status line has room, narrower (its middle left out) when not.
    m_readout->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    m_readout->hide();
    parts.view.addReadout(m_readout, true);

    m_menu = new QMenu(&parts.menu);
    m_menu->setObjectName(QStringLiteral("Rundown1"));
    const auto item = [this, &parts](const char *name) {
        auto *action = m_menu->addAction(QString());
        action->setObjectName(QLatin1String(name));
        return action;
    };
    m_continuous = item("ContinuousQueue1");
    m_continuous->setCheckable(true);
    m_continuous->setChecked(isContinuous());
    m_menu->addSeparator();
    m_next = item("NextStory1");
    m_previous = item("PreviousStory1");
    m_list = m_menu->addMenu(QString());
    m_list->setObjectName(QStringLiteral("GoToStory1"));
    m_fromHere = item("PromptFromHere1");
    for (QAction *entry : {m_continuous, m_next, m_previous, m_fromHere})
        parts.commands.bindMenuEntry(entry);
    m_menu->setStyleSheet(parts.menu.styleSheet());
    m_list->setStyleSheet(parts.menu.styleSheet());
    connect(m_list, &QMenu::aboutToShow, this, &Rundown::fillStoryList);

    PrompterCommands &commands = parts.commands;
    commands.handle(RemoteAction::Continuous, [this](const RemoteCommand &command, CommandSource) {
        setContinuous(command.on.value_or(!isContinuous()));
        return QString();
    });
    const auto onPage = [this, &commands](RemoteAction action, std::function<void()> act) {
        commands.handle(action, [this, act](const RemoteCommand &, CommandSource) {
            if (!showsContinuous())
                return i18n(str::RemoteNotContinuous);
            act();
            return QString();
        });
    };
    onPage(RemoteAction::NextStory, [this] { nextStory(); });
    onPage(RemoteAction::PreviousStory, [this] { previousStory(); });
    onPage(RemoteAction::PromptFromHere, [this] { promptFromHere(); });
    commands.handle(RemoteAction::JumpToStory, [this](const RemoteCommand &command, CommandSource) {
        return jumpToStory(command.value);
    });
    commands.handle(RemoteAction::ShowEnd, [this](const RemoteCommand &command, CommandSource) {
        setShowEnd(command.text.isEmpty() ? std::nullopt : parseshowend(command.text));
        return QString();
    });
    commands.addStatePart([this](PrompterSnapshot &state) {
        state.continuous = showsContinuous();
        if (!state.continuous)
            return;
        state.storyCount = int(m_script.stories.size());
        state.storyIndex = m_onAir;
        if (m_onAir >= 0)
            state.storyName = m_script.stories.at(m_onAir).name;
        state.overUnderMs = overUnderMs();
    });

    m_refresh->setObjectName(QStringLiteral("rundowntimer"));
    m_refresh->setInterval(refreshMs);
    connect(m_refresh, &QTimer::timeout, this, &Rundown::refresh);
    m_refresh->start();
    // The banners show each story's reading time at the pace set.
    connect(&aids, &ReadingAids::changed, this, [this](const ReadingAidSettings &before) {
        if (before.wordsPerMinute != m_aids.values().wordsPerMinute && showsContinuous())
            applyEntries(m_entries, {}, {});
    });
}

void Rundown::setTexts()
{
    m_menu->setTitle(i18n(str::MenuRundown));
    m_continuous->setText(i18n(str::MenuContinuousQueue));
    m_next->setText(i18n(str::MenuNextStory));
    m_previous->setText(i18n(str::MenuPreviousStory));
    m_list->setTitle(i18n(str::MenuGoToStory));
    m_fromHere->setText(i18n(str::MenuPromptFromHere));
}

void Rundown::attachOptions(TForm4 &options)
{
    m_group = new RundownOptions;
    options.addFeaturePage(m_group, "rundownpagebutton", str::RundownPage);
    const auto shownEnd = [this]() -> std::optional<QTime> {
        return m_showEnd.isValid() ? std::optional<QTime>(m_showEnd.toLocalTime().time()) : std::nullopt;
    };
    m_group->showSettings(m_settings, shownEnd());
    // Before the prompter starts the queue: it starts as the switch now says.
    connect(&options, &QDialog::finished, this, [this, shownEnd](int result) {
        if (result == QDialog::Accepted) {
            const RundownSettings chosen = m_group->values();
            if (chosen != m_settings) {
                const bool wasContinuous = isContinuous();
                m_settings = chosen;
                storeSettings();
                m_continuous->setChecked(isContinuous());
                // Off now: the page shown goes on showing, and the queue steps script by script
                // once the prompter starts it.
                if (wasContinuous && !isContinuous())
                    m_pageShown = false;
            }
            if (m_group->showEnd() != shownEnd())
                setShowEnd(m_group->showEnd());
        }
        m_group->showSettings(m_settings, shownEnd());
    });
}

bool Rundown::isContinuous() const
{
    return m_stories ? m_settings.continuousRunningOrder : m_settings.continuousQueue;
}

void Rundown::setContinuous(bool on)
{
    if (m_stories)
        m_settings.continuousRunningOrder = on;
    else
        m_settings.continuousQueue = on;
    storeSettings();
    m_continuous->setChecked(on);
    const bool shown = showsContinuous();
    if (on && !shown) {
        const int count = int(currentEntries().size());
        if (count == 0) {
            m_notice.show(i18n(str::RundownEmptyQueue));
            return;
        }
        showPage(std::clamp(m_view.state().queuepos, 0, count - 1));
    } else if (!on && shown) {
        // The story on air goes on as the one script shown, from its start.
        const int entry = m_onAir >= 0 ? m_script.stories.at(m_onAir).entry : m_view.state().queuepos;
        m_pageShown = false;
        m_stage.openQueueEntry(entry);
    }
    refresh();
}

bool Rundown::showsContinuous() const
{
    const PromptState &state = m_view.state();
    return m_pageShown && state.scriptpath == m_pageName && !state.helpshown;
}

bool Rundown::showEntry(int index)
{
    if (!isContinuous())
        return false;
    const bool stale = !m_stories && m_stage.queueEntries() != m_filesShown;
    if (!showsContinuous() || stale) {
        if (currentEntries().isEmpty())
            return false;
        showPage(index);
        return true;
    }
    const int story = storyOfEntry(index);
    if (story >= 0)
        jumpToStory(story);
    return true;
}

QList<RundownEntry> Rundown::currentEntries()
{
    return m_stories ? m_stories() : fileEntries();
}

QList<RundownEntry> Rundown::fileEntries()
{
    const QStringList paths = m_stage.queueEntries();
    QList<RundownEntry> entries;
    QStringList unreadable;
    for (int i = 0; i < paths.size(); ++i) {
        RundownEntry entry;
        entry.key = i + 1;
        entry.name = QFileInfo(paths.at(i)).fileName();
        // A script that cannot be shown keeps its place in the show and says why, in place of its
        // text; the operator is told once for all of them.
        QString failure;
        if (scriptkind(paths.at(i)) == ScriptKind::Unrecognized) {
            failure = i18n(str::UnrecognizedFileFormat);
        } else {
            try {
                if (const std::optional<QStringList> lines = m_read(paths.at(i), entry.text))
                    entry.lines = *lines;
            } catch (const std::exception &error) {
                failure = QString::fromUtf8(error.what());
            }
        }
        if (!failure.isEmpty()) {
            entry.text = ScriptText::Plain;
            entry.lines = QStringList{i18n(str::RundownUnreadable).arg(failure)};
            entry.textKnown = false;
            unreadable << entry.name;
        }
        entries << entry;
    }
    if (!unreadable.isEmpty())
        m_notice.show(i18n(str::RundownScriptsUnreadable).arg(unreadable.join(QStringLiteral(", "))));
    return entries;
}

QString Rundown::pageName() const
{
    return m_stories ? m_storiesName : i18n(str::RundownQueueName).arg(m_entries.size());
}

void Rundown::showPage(int entry)
{
    m_entries = currentEntries();
    m_filesShown = m_stories ? QStringList() : m_stage.queueEntries();
    m_shown.clear();
    m_script = assemble(m_entries, nullptr);
    m_pageName = pageName();
    m_pendingEntry = entry;
    m_layout = {};
    m_onAir = -1;
    m_onAirKey = -1;
    m_heldKey = -1;
    ++m_revision;
    m_pageShown = true;
    m_stage.setScriptText(ScriptText::Markup);
    m_stage.showscript(m_script.lines, m_pageName);
}

ContinuousScript Rundown::assemble(const QList<RundownEntry> &entries, StoryPageChange *change)
{
    const QStringList &table = m_view.state().specialtable;
    const int wpm = m_aids.values().wordsPerMinute;
    QHash<int, ShownStory> shown;
    const auto make = [&](const RundownEntry &entry, const QString &number, int &words) {
        const auto before = m_shown.constFind(entry.key);
        ShownStory story;
        if (before != m_shown.cend() && before->entry == entry) {
            // The same text: only its banner may change, with its number or the pace.
            story = *before;
            if (story.number != number || story.wordsPerMinute != wpm) {
                story.lines[0] = storyopeningline(entry, number, story.words, wpm);
                if (change)
                    change->banners.insert(entry.key, QString());
            }
        } else {
            story.entry = entry;
            story.lines = storyscriptlines(entry, number, table, wpm, story.words);
            if (change)
                change->stories.insert(entry.key, {});
        }
        story.number = number;
        story.wordsPerMinute = wpm;
        words = story.words;
        shown.insert(entry.key, story);
        return story.lines;
    };
    const ContinuousScript script = assemblestories(entries, make);
    if (change) {
        const QList<int> before = storykeys(m_script.stories);
        change->order = storykeys(script.stories);
        const QSet<int> after(change->order.cbegin(), change->order.cend());
        for (const int key : before)
            if (!after.contains(key))
                change->removed << key;
        change->staying = stayingstories(before, change->order);
    }
    m_shown = shown;
    return script;
}

void Rundown::applyEntries(const QList<RundownEntry> &entries, const QHash<int, QHash<int, int>> &replacedBy,
                           std::function<void()> done)
{
    StoryPageChange change;
    const ContinuousScript script = assemble(entries, &change);
    change.replacedBy = replacedBy;
    m_entries = entries;
    m_script = script;
    ++m_revision;
    // Should the page have to be loaded anew after all, it goes back to the story on air.
    m_pendingEntry = m_onAir >= 0 && m_onAir < script.stories.size() ? script.stories.at(m_onAir).entry : 0;
    for (int i = 0; i < script.stories.size(); ++i)
        if (script.stories.at(i).key == m_onAirKey)
            m_pendingEntry = script.stories.at(i).entry;
    const QString name = pageName();
    if (name != m_pageName) {
        m_pageName = name;
        m_stage.renameScript(name);
    }
    m_stage.changescript(
        script.lines,
        [this, change, stories = script.stories,
         before = m_stage.state().pagelines](const QStringList &page, std::function<void()> changed) mutable {
            for (const StorySpan &story : stories) {
                if (change.stories.contains(story.key))
                    change.stories[story.key] = storypagelines(page, story);
                if (change.banners.contains(story.key))
                    change.banners[story.key] = storybannermarkup(page, story);
            }
            if (!m_page.change(change, readingView().readingLine, std::move(changed)))
                return false;
            m_pendingEntry.reset();
            emit pageEdited(pageedit(before, page));
            return true;
        },
        [this, done] {
            remeasure();
            if (done)
                done();
        });
}

void Rundown::remeasure()
{
    m_sinceMeasure = 0;
    const int revision = m_revision;
    m_page.measure([this, revision](const StoryLayout &layout) {
        // A measure of the page before a change the rundown has made since tells nothing.
        if (revision != m_revision || !showsContinuous())
            return;
        m_layout = layout;
        if (layout.keys != storykeys(m_script.stories)) {
            rebuild();
            return;
        }
        refresh();
    });
}

void Rundown::rebuild()
{
    showPage(m_onAir >= 0 && m_onAir < m_script.stories.size() ? m_script.stories.at(m_onAir).entry : 0);
}

void Rundown::pageMeasured()
{
    if (!showsContinuous())
        return;
    m_sinceMeasure = 0;
    const int revision = m_revision;
    m_page.measure([this, revision](const StoryLayout &layout) {
        if (revision != m_revision || !showsContinuous())
            return;
        m_layout = layout;
        const std::optional<int> entry = std::exchange(m_pendingEntry, std::nullopt);
        const int story = entry ? storyOfEntry(*entry) : -1;
        if (story <= 0) {
            refresh();
            return;
        }
        const int index = int(layout.keys.indexOf(m_script.stories.at(story).key));
        m_browser.scrollTo(0, storyposition(layout, index, readingView()), [this] {
            m_talent.follower()->follow();
            refresh();
        });
    });
}

ReadingView Rundown::readingView() const
{
    ReadingView view;
    view.upsideDown = m_view.upsideDownLocally();
    return view;
}

int Rundown::storyOfEntry(int entry) const
{
    for (int i = 0; i < m_script.stories.size(); ++i)
        if (m_script.stories.at(i).entry >= entry)
            return i;
    return int(m_script.stories.size()) - 1;
}

void Rundown::glideToStory(const std::function<int(const StoryLayout &)> &target)
{
    m_page.measure([this, target](const StoryLayout &layout) {
        const int index = target(layout);
        if (index >= 0 && index < layout.count())
            m_engine.glideTo(storyposition(layout, index, readingView()), layout.viewHeight);
    });
}

void Rundown::nextStory()
{
    glideToStory([this](const StoryLayout &layout) {
        return nextstory(layout, m_engine.destination(), readingView(), true);
    });
}

void Rundown::previousStory()
{
    glideToStory([this](const StoryLayout &layout) {
        return nextstory(layout, m_engine.destination(), readingView(), false);
    });
}

QString Rundown::jumpToStory(int index)
{
    if (!showsContinuous())
        return i18n(str::RemoteNotContinuous);
    if (index < 0 || index >= m_script.stories.size())
        return i18n(str::RemoteNoStory).arg(index).arg(m_script.stories.size());
    const int key = m_script.stories.at(index).key;
    glideToStory([key](const StoryLayout &layout) { return int(layout.keys.indexOf(key)); });
    return QString();
}

void Rundown::promptFromHere()
{
    glideToStory([this](const StoryLayout &layout) {
        return storyatreadingline(layout, m_browser.estimatedPosition(), readingView());
    });
}

std::optional<EditableStory> Rundown::onAirStory() const
{
    if (!showsContinuous() || m_script.stories.isEmpty())
        return std::nullopt;
    return story(m_script.stories.at(std::max(m_onAir, 0)).key);
}

std::optional<EditableStory> Rundown::story(int key) const
{
    if (!showsContinuous())
        return std::nullopt;
    for (const StorySpan &span : m_script.stories) {
        if (span.key != key)
            continue;
        const RundownEntry &entry = m_entries.at(span.entry);
        return EditableStory{key,         span.firstLine,
                             entry.name,  m_stories ? QString() : m_filesShown.value(span.entry),
                             entry.lines, entry.text};
    }
    return std::nullopt;
}

bool Rundown::editStory(int key, const QStringList &lines, std::function<void()> done)
{
    if (!story(key))
        return false;
    QList<RundownEntry> entries = m_entries;
    for (RundownEntry &entry : entries)
        if (entry.key == key)
            entry.lines = lines;
    applyEntries(entries, {}, std::move(done));
    return true;
}

void Rundown::setShowEnd(const std::optional<QTime> &end)
{
    m_showEnd = end ? nearestoccurrence(*end, QDateTime::currentDateTime()) : QDateTime();
    refresh();
}

void Rundown::setPlannedEnd(const QDateTime &end)
{
    // The newest word on the show's end counts, the operator's or the running order's.
    m_showEnd = end;
    refresh();
}

void Rundown::setStories(std::function<QList<RundownEntry>()> stories, const QString &name)
{
    // A page made of another source is no longer the queue's: it stays as it is, and the queue
    // starts anew when the operator steps or starts it.
    if (bool(stories) != bool(m_stories))
        m_pageShown = false;
    m_stories = std::move(stories);
    m_storiesName = name;
    m_continuous->setChecked(isContinuous());
    if (m_stories && showsContinuous() && name != m_pageName) {
        m_pageName = name;
        m_stage.renameScript(name);
    }
}

void Rundown::storiesChanged(const QHash<int, QHash<int, int>> &replacedBy, std::function<void()> done)
{
    if (!m_stories || !showsContinuous()) {
        if (done)
            done();
        return;
    }
    const QList<RundownEntry> entries =
        keepingonair(m_entries, m_stories(), m_onAirKey, i18n(str::RundownDropped));
    m_heldKey = -1;
    for (const RundownEntry &entry : entries)
        if (entry.key == m_onAirKey && !entry.note.isEmpty())
            m_heldKey = entry.key;
    applyEntries(entries, replacedBy, std::move(done));
}

void Rundown::refresh()
{
    const bool shown = showsContinuous();
    // A passing notice gets the status line's room; the story on air is told again after it.
    m_readout->setVisible(shown && !m_notice.isShown());
    if (!shown) {
        if (m_onAir >= 0) {
            m_onAir = -1;
            m_onAirKey = -1;
            m_commands.notifyStateChanged();
        }
        return;
    }
    if (m_browser.scrollBottom() != m_layout.bottom && ++m_sinceMeasure >= remeasureTicks)
        remeasure();
    const int index = storyatreadingline(m_layout, m_browser.estimatedPosition(), readingView());
    const int key = index >= 0 ? m_layout.keys.value(index, -1) : -1;
    bool tell = false;
    if (key != m_onAirKey) {
        m_onAirKey = key;
        m_onAir = int(storykeys(m_script.stories).indexOf(key));
        if (m_onAir >= 0)
            m_stage.setQueuePosition(m_script.stories.at(m_onAir).entry);
        tell = true;
        // The reader has left a story the show took out: it goes now, in place.
        if (m_heldKey >= 0 && key != m_heldKey) {
            m_heldKey = -1;
            storiesChanged();
        }
    }
    const std::optional<qint64> overUnder = overUnderMs();
    const std::optional<qint64> seconds = overUnder ? std::optional<qint64>(*overUnder / 1000) : std::nullopt;
    if (seconds != m_overUnderSeconds) {
        m_overUnderSeconds = seconds;
        tell = true;
    }
    showReadout();
    if (tell) {
        m_commands.notifyStateChanged();
        emit changed();
    }
}

std::optional<qint64> Rundown::overUnderMs() const
{
    if (!m_showEnd.isValid() || m_layout.count() == 0)
        return std::nullopt;
    QHash<int, int> words;
    for (const StorySpan &story : m_script.stories)
        words.insert(story.key, story.words);
    QList<int> inLayout;
    for (const int key : m_layout.keys)
        inLayout << words.value(key);
    const double left = wordsleft(m_layout, inLayout, m_browser.estimatedPosition(), readingView());
    const qint64 readingLeft = readingms(int(std::lround(left)), m_aids.values().wordsPerMinute);
    return overunderms(readingLeft, QDateTime::currentDateTime(), m_showEnd);
}

void Rundown::showReadout()
{
    QStringList parts;
    if (m_onAir >= 0 && m_onAir < m_script.stories.size()) {
        parts << i18n(str::RundownOnAir).arg(storytitle(m_script.stories.at(m_onAir)));
        if (m_onAir + 1 < m_script.stories.size())
            parts << i18n(str::RundownNext).arg(storytitle(m_script.stories.at(m_onAir + 1)));
    }
    if (const std::optional<qint64> overUnder = overUnderMs())
        parts << i18n(str::RundownOverUnder).arg(overundertext(*overUnder));
    const QString text = parts.join(QStringLiteral("   "));
    if (m_readout->text() != text)
        m_readout->setText(text);
}

void Rundown::fillStoryList()
{
    m_list->clear();
    if (!showsContinuous()) {
        m_list->addAction(i18n(str::NoStories))->setEnabled(false);
        return;
    }
    for (int i = 0; i < m_script.stories.size(); ++i) {
        QAction *entry = m_list->addAction(storytitle(m_script.stories.at(i)));
        connect(entry, &QAction::triggered, this, [this, i] { jumpToStory(i); });
    }
}

void Rundown::storeSettings() const
{
    const RundownSettings values = m_settings;
    ::storeSettings(QStringLiteral("Rundown"),
                    [&values](QSettings &settings) { writerundownsettings(settings, values); });
}

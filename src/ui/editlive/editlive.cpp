#include "ui/editlive/editlive.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "core/commands/commandmap.h"
#include "core/editlive/livepagelines.h"
#include "core/editlive/livescript.h"
#include "core/editlive/readinganchor.h"
#include "core/editor/recoverystore.h"
#include "core/platform/translation.h"
#include "core/render/scriptloader.h"
#include "core/render/specialchars.h"
#include "core/rtf/rtf.h"
#include "core/settings/settingsstore.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/browser/pagescripts.h"
#include "ui/editlive/editlivewindow.h"
#include "ui/editlive/lockedtextedit.h"
#include "ui/editor/recoveryautosave.h"
#include "ui/editor/scriptsaving.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/readingaids/readingaids.h"
#include "ui/rundown/storyediting.h"
#include "ui/settings/settingsgroup.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "ui/toolkit/statusnotice.h"

namespace {

// A page that is being loaded or placed takes the edit a little later.
constexpr int retryMs = 100;
// The window keeps the paragraph at the reading line in view, but not while the operator works
// in the text.
constexpr int followAfterTouchMs = 3000;
// The colours the text marks its paragraphs in: the one at the reading line, and those locked.
const QColor readingBackground(0x1F, 0x3A, 0x5F);
const QColor lockedText(0x90, 0x90, 0x90);

const QString lockSetting = QStringLiteral("EditLive/LockRead");

} // namespace

EditLive::EditLive(const PrompterParts &parts, ReadingAids &aids, TalentDisplay &talent,
                   QTextEdit &richScript, std::function<void(const QString &path)> renamed, QObject *parent)
    : QObject(parent), m_view(parts.view), m_page(parts.page), m_notice(parts.notice),
      m_commands(parts.commands), m_aids(aids), m_talent(talent), m_rich(richScript),
      m_renamed(std::move(renamed)), m_entry(new QAction(&parts.menu)),
      m_saving(std::make_unique<ScriptSaving>(m_saveDialog)), m_parent(parts.window)
{
    setObjectName(QStringLiteral("editlive"));
    m_entry->setObjectName(QStringLiteral("EditLive1"));
    // The entry stands after the quick editor's.
    const QList<QAction *> entries = parts.menu.actions();
    const qsizetype quickEdit = std::distance(
        entries.cbegin(), std::find_if(entries.cbegin(), entries.cend(), [](const QAction *entry) {
            return entry->objectName() == QLatin1String("EditScript2");
        }));
    parts.menu.insertAction(quickEdit + 1 < entries.size() ? entries.at(quickEdit + 1) : nullptr, m_entry);
    parts.commands.bindMenuEntry(m_entry);
    parts.commands.handle(RemoteAction::EditLive, [this](const RemoteCommand &, CommandSource) {
        open();
        return QString();
    });

    m_typing.setSingleShot(true);
    m_typing.setInterval(typingPauseMs);
    connect(&m_typing, &QTimer::timeout, this, &EditLive::commit);
    m_poll.setInterval(readingPollMs);
    connect(&m_poll, &QTimer::timeout, this, &EditLive::pollReadingLine);
    m_saveDialog.title = i18n(str::EditorSaveTitle);
    m_saveDialog.confirmOverwrite = true;
    m_lockRead = SettingsStore().settings().value(lockSetting, false).toBool();
    setTexts();
}

EditLive::~EditLive()
{
    // The window shows the script's document: it lets it go first.
    if (m_window)
        m_window->text->setDocument(nullptr);
}

void EditLive::setTexts()
{
    m_entry->setText(i18n(str::MenuEditLive));
    if (m_window)
        m_window->setTexts();
}

RecoveryStore EditLive::recoveryStore()
{
    return RecoveryStore(
        QFileInfo(RecoveryStore::defaultPath()).dir().filePath(QStringLiteral("editlive.recovery")));
}

EditLiveWindow *EditLive::window() const
{
    return m_window;
}

bool EditLive::isOpen() const
{
    return m_window && m_window->isVisible();
}

void EditLive::open()
{
    if (!m_window)
        createWindow();
    script();
    if (m_window->text->document() != m_script->document())
        showScriptInWindow();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    m_window->text->setFocus();
    pollReadingLine();
}

void EditLive::createWindow()
{
    m_window = new EditLiveWindow(&m_parent);
    LockedTextEdit *text = m_window->text;
    connect(m_window->save, &QAction::triggered, this, [this] { save(false); });
    connect(m_window->saveAs, &QAction::triggered, this, [this] { save(true); });
    m_window->lockRead->setChecked(m_lockRead);
    connect(m_window->lockRead, &QAction::toggled, this, &EditLive::setLockRead);
    connect(text, &LockedTextEdit::refused, this, [this] { m_window->tell(i18n(str::EditLiveLocked)); });
    // Enter ends a paragraph: it goes to the page at once.
    connect(text, &LockedTextEdit::paragraphEnded, this, &EditLive::commit);
    connect(m_window, &EditLiveWindow::commandKey, this, [this](int key) {
        const CommandBinding *binding = commandforkey(key);
        if (binding && key >= Qt::Key_F1 && key <= Qt::Key_F35)
            m_commands.perform(binding->action, CommandSource::Key);
    });
    m_window->setCloseQuery([this] { return mayClose(); });
    text->viewport()->installEventFilter(this);
    text->installEventFilter(this);
    m_autosave = new RecoveryAutosave(
        text, [this] { return m_modified; }, [this] { return m_documentName; }, this);
    m_autosave->setStore(recoveryStore());
    connect(m_autosave, &RecoveryAutosave::failed, this,
            [this](const QString &reason) { m_window->tell(i18n(str::RecoveryNotWritten).arg(reason)); });
}

bool EditLive::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress ||
        event->type() == QEvent::Wheel)
        m_lastTouch.start();
    return QObject::eventFilter(watched, event);
}

LiveScript &EditLive::script()
{
    if (!m_script || !isCurrent() || storyMovedOn()) {
        if (m_script && m_modified)
            keepUnsaved();
        makeScript();
    }
    return *m_script;
}

bool EditLive::isCurrent()
{
    const std::optional<QStringList> shown = linesShown();
    if (!shown || *shown != m_known)
        return false;
    // The same lines, perhaps converted again by a page built anew: compared quickly from now on.
    m_known = *shown;
    return true;
}

std::optional<QStringList> EditLive::linesShown() const
{
    const bool continuous = m_stories && m_stories->showsContinuous();
    if (continuous != (m_storyKey >= 0))
        return std::nullopt;
    if (!continuous)
        return m_view.state().scriptlines;
    const std::optional<EditableStory> story = m_stories->story(m_storyKey);
    return story ? std::optional<QStringList>(story->lines) : std::nullopt;
}

bool EditLive::storyMovedOn() const
{
    if (m_storyKey < 0 || isOpen() || m_modified)
        return false;
    const std::optional<EditableStory> onAir = m_stories->onAirStory();
    return onAir && onAir->key != m_storyKey;
}

std::unique_ptr<LiveScript> EditLive::storyScript(const EditableStory &story, const QStringList &lines) const
{
    const ScriptKind kind = scriptkind(story.path);
    if (kind == ScriptKind::RichText || kind == ScriptKind::Vantell) {
        // A rich story is edited as its file holds it, so that saving it keeps its look.
        QFile file(story.path);
        QTextDocument document;
        if (file.open(QIODevice::ReadOnly) && readRtf(file.readAll(), &document))
            return LiveScript::rich(&document, m_rich.font());
    }
    return story.text == ScriptText::Plain ? LiveScript::plain(lines, m_rich.font())
                                           : LiveScript::markup(lines, m_rich.font());
}

void EditLive::makeScript()
{
    dropScript();
    const PromptState &state = m_view.state();
    const std::optional<EditableStory> story =
        m_stories && m_stories->showsContinuous() ? m_stories->onAirStory() : std::nullopt;
    m_storyKey = story ? story->key : -1;
    m_newsroomStory = story && story->path.isEmpty();
    QStringList lines = story ? story->lines : state.scriptlines;
    convertchars(QStringLiteral("editor"), lines, state.specialtable);
    const QFont font = m_rich.font();
    if (story) {
        m_script = storyScript(*story, lines);
        if (m_script->kind() == LiveScript::Kind::Rich)
            convertchars(QStringLiteral("editor"), m_script->document(), state.specialtable);
    } else if (state.richscript) {
        m_script = LiveScript::rich(m_rich.document(), font);
        convertchars(QStringLiteral("editor"), m_script->document(), state.specialtable);
    } else if (state.scripttext == ScriptText::Markup) {
        m_script = LiveScript::markup(lines, font);
    } else {
        m_script = LiveScript::plain(lines, font);
    }
    m_script->document()->clearUndoRedoStacks();
    m_source = m_script->lines();
    m_shown = shownlines(m_source, state.specialtable);
    m_known = story ? story->lines : state.scriptlines;
    m_paragraphs = m_script->paragraphs();
    const QString path = story ? story->path : state.scriptpath;
    m_documentName = m_newsroomStory ? story->name : path.isEmpty() ? i18n(str::NoScript) : path;
    m_saveDialog.fileName = path;
    m_modified = false;
    m_edited = false;
    m_readingParagraph = 0;
    connect(m_script->document(), &QTextDocument::contentsChanged, this, &EditLive::documentChanged);
    if (m_window)
        showScriptInWindow();
    m_poll.start();
}

void EditLive::dropScript()
{
    m_typing.stop();
    m_pending = false;
    if (m_window && m_script && m_window->text->document() == m_script->document())
        m_window->text->setDocument(nullptr);
    m_script.reset();
}

void EditLive::keepUnsaved()
{
    // Kept as the quick editor keeps its text, and offered as its text is at the next start.
    try {
        recoveryStore().save(RecoveredText{m_documentName, QDateTime::currentDateTimeUtc(),
                                           writeRtf(m_script->document(), Qt::white)});
        m_notice.show(i18n(str::EditLiveKeptForRecovery).arg(m_documentName));
    } catch (const std::exception &error) {
        m_notice.show(i18n(str::RecoveryNotWritten).arg(QString::fromUtf8(error.what())));
    }
}

void EditLive::showScriptInWindow()
{
    LockedTextEdit *text = m_window->text;
    m_changing = true;
    text->setFont(m_rich.font());
    text->setAcceptRichText(m_script->kind() != LiveScript::Kind::Plain);
    text->setDocument(m_script->document());
    m_changing = false;
    text->moveCursor(QTextCursor::Start);
    text->setLockedParagraphs(lockedParagraphs());
    m_window->setDocumentName(m_documentName);
    markReading();
}

void EditLive::documentChanged()
{
    if (m_changing)
        return;
    // A newsroom story has no file to save it to: its edits are the page's only.
    m_modified = !m_newsroomStory;
    m_edited = true;
    if (m_autosave)
        m_autosave->changed();
    // A pause in typing sends the change; typing on puts it off.
    m_typing.start();
}

void EditLive::commit()
{
    m_typing.stop();
    if (!m_script)
        return;
    if (m_inFlight) {
        m_pending = true;
        return;
    }
    if (!isCurrent()) {
        // The script was replaced meanwhile (another script loaded, a newsroom's new version): the
        // edits stay with the old one, kept for recovery.
        script();
        return;
    }
    const PromptState &state = m_view.state();
    // A page being loaded or placed takes it once it stands.
    if (!state.helpshown && (!m_page.isDocumentComplete() || m_talent.follower()->isHeld())) {
        m_typing.start(retryMs);
        return;
    }
    const QStringList source = m_script->lines();
    const QList<LineChange> changes = linechanges(m_source, source);
    if (changes.isEmpty())
        return;
    // Only the changed lines are converted for the page.
    QStringList converted = source;
    for (const LineChange &change : changes) {
        const QStringList shown = shownlines(source.mid(change.first, change.count), state.specialtable);
        for (int k = 0; k < change.count; ++k)
            converted[change.first + k] = shown.at(k);
    }
    applylinechanges(m_shown, changes, converted);
    m_source = source;
    if (m_storyKey >= 0) {
        commitStory();
        return;
    }

    // The page changes where its lines differ from the new ones.
    const PageLook look{state.specialtable, m_view.modes().capitals, state.scripttext,
                        m_aids.values().hideMarkers ? MarkerDisplay::Hidden : MarkerDisplay::Quiet};
    PageEdit edit;
    edit.changes = linechanges(state.scriptlines, m_shown);
    for (const LineChange &change : std::as_const(edit.changes))
        edit.lines << pagelinesof(m_shown.mid(change.first, change.count), look);
    const int body = bodystart(state.pagelines);
    edit.linesBefore = body < 0 ? 0 : int(state.pagelines.size()) - body;
    edit.serial = ++m_serial;
    QStringList page = state.pagelines;
    const bool inPlace = applypageedit(page, edit);
    m_known = m_shown;
    tellParagraphs();
    if (!inPlace) {
        // No script page to change (none built yet): the script is built anew.
        m_view.changeScriptInPlace(m_shown, state.pagelines);
        m_view.reloadPage();
        return;
    }
    if (m_view.state().helpshown) {
        // The help pages stand in the prompter's page: the other displays take the edit.
        m_talent.editPage(edit, m_aids.values().readingLine.height);
        emit pageEdited(edit);
    } else {
        m_inFlight = true;
        const double readingY =
            readingliney(m_page.height(), m_aids.values().readingLine.height, m_view.upsideDownLocally());
        QPointer<EditLive> self(this);
        splicepage(m_page, edit, page, readingY, [self, edit](const SpliceResult &result) {
            if (self)
                self->spliceDone(edit, result);
        });
    }
    // The prompter's script is the edited one from now on: a page built anew (a restart, a
    // change of mode) shows it, and remote displays that come later get it.
    m_view.changeScriptInPlace(m_shown, page);
}

void EditLive::commitStory()
{
    m_known = m_shown;
    tellParagraphs();
    m_inFlight = true;
    QPointer<EditLive> self(this);
    const bool taken = m_stories->editStory(m_storyKey, m_shown, [self] {
        if (!self)
            return;
        self->m_inFlight = false;
        emit self->spliced();
        if (std::exchange(self->m_pending, false))
            self->commit();
    });
    if (!taken) {
        // The story left the page meanwhile: the edits stay with it, kept for recovery.
        m_inFlight = false;
        script();
    }
}

void EditLive::spliceDone(PageEdit edit, const SpliceResult &result)
{
    m_inFlight = false;
    m_lastSplice = result;
    if (result.done) {
        edit.anchor = result.anchor;
    } else if (!m_page.replaceScript(m_view.state().pagelines, {})) {
        // The page took nothing line by line: its script is put in whole where the view stands,
        // or, with no script page left to change, built anew.
        m_view.reloadPage();
    }
    m_talent.editPage(edit, m_aids.values().readingLine.height);
    emit pageEdited(edit);
    emit spliced();
    if (std::exchange(m_pending, false))
        commit();
}

void EditLive::tellParagraphs()
{
    const QStringList paragraphs = m_script->paragraphs();
    QList<int> changed;
    for (const LineChange &change : linechanges(m_paragraphs, paragraphs)) {
        for (int k = 0; k < change.count; ++k)
            changed << change.first + k;
        // Paragraphs only taken away leave the one after them in their place.
        if (change.count == 0 && change.first < paragraphs.size())
            changed << change.first;
    }
    m_paragraphs = paragraphs;
    emit paragraphsChanged(changed, int(paragraphs.size()));
}

void EditLive::pollReadingLine()
{
    if (!m_script) {
        m_poll.stop();
        return;
    }
    // The reader's place matters to the window, and to the lock of remote edits.
    if (!isOpen() && !m_lockRead)
        return;
    if (!m_page.isDocumentComplete() || !m_page.isScriptPage())
        return;
    const double y =
        readingliney(m_page.height(), m_aids.values().readingLine.height, m_view.upsideDownLocally());
    QPointer<EditLive> self(this);
    m_page.evaluate(pagescript(QStringLiteral("readingline")) +
                        QStringLiteral("window.__vantellLineAt(%1);").arg(y, 0, 'f', 2),
                    [self](const QVariant &value) {
                        const QVariantList answer = value.toList();
                        if (!self || !self->m_script || answer.size() != 2)
                            return;
                        // A page that has not the script's lines (being changed) says nothing yet.
                        const PromptState &state = self->m_view.state();
                        const int body = bodystart(state.pagelines);
                        if (body < 0 || answer.at(1).toInt() != state.pagelines.size() - body)
                            return;
                        self->readingLineAt(answer.at(0).toInt());
                    });
}

void EditLive::readingLineAt(int line)
{
    if (m_storyKey >= 0) {
        // The page's lines are the show's: the story's text follows its banner's line. A reader
        // past the story has read all of it.
        const std::optional<EditableStory> story = m_stories->story(m_storyKey);
        if (!story)
            return;
        line -= story->firstLine + 1;
        if (line >= story->lines.size()) {
            m_readingParagraph = m_script->document()->blockCount();
            markReading();
            return;
        }
    }
    line = std::min(line, int(m_shown.size()) - 1);
    m_readingParagraph = m_script->paragraphOfLine(std::max(line, 0));
    markReading();
}

int EditLive::lockedParagraphs() const
{
    return m_lockRead ? m_readingParagraph : 0;
}

void EditLive::markReading()
{
    if (!m_window || !m_script || m_window->text->document() != m_script->document())
        return;
    LockedTextEdit *text = m_window->text;
    text->setLockedParagraphs(lockedParagraphs());
    QList<QTextEdit::ExtraSelection> marks;
    const QTextBlock reading = m_script->document()->findBlockByNumber(m_readingParagraph);
    if (lockedParagraphs() > 0 && reading.isValid()) {
        QTextEdit::ExtraSelection locked;
        locked.cursor = QTextCursor(m_script->document());
        locked.cursor.setPosition(reading.position(), QTextCursor::KeepAnchor);
        locked.format.setForeground(lockedText);
        marks << locked;
    }
    if (reading.isValid()) {
        QTextEdit::ExtraSelection line;
        line.cursor = QTextCursor(reading);
        line.format.setBackground(readingBackground);
        line.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks << line;
    }
    text->setExtraSelections(marks);
    followReading();
}

void EditLive::followReading()
{
    if (!isOpen() || (m_lastTouch.isValid() && m_lastTouch.elapsed() < followAfterTouchMs))
        return;
    LockedTextEdit *text = m_window->text;
    const QTextBlock reading = m_script->document()->findBlockByNumber(m_readingParagraph);
    if (!reading.isValid())
        return;
    // The paragraph read stands a third down the window, as it does on the page.
    const QRectF box = m_script->document()->documentLayout()->blockBoundingRect(reading);
    text->verticalScrollBar()->setValue(int(box.top() - text->viewport()->height() / 3.0));
}

void EditLive::setLockRead(bool on)
{
    m_lockRead = on;
    storeSettings(QStringLiteral("EditLive"),
                  [on](QSettings &settings) { settings.setValue(lockSetting, on); });
    markReading();
    if (on && m_script)
        m_poll.start();
}

bool EditLive::mayClose()
{
    if (m_modified) {
        if (Dialogs::current().question(i18n(str::SaveScriptFirst), i18n(str::Warning),
                                        Dialogs::Icon::Warning)) {
            // A save that fails keeps the window open.
            try {
                const QString path = m_saving->save(m_window->text, m_documentName, false);
                if (!path.isEmpty())
                    saved(path);
            } catch (const std::exception &error) {
                Dialogs::current().message(QString::fromUtf8(error.what()));
                return false;
            }
        } else if (m_documentName == i18n(str::NoScript) &&
                   !Dialogs::current().question(i18n(str::LoseChangesAndExit), i18n(str::Warning),
                                                Dialogs::Icon::Warning)) {
            return false;
        }
    }
    // The operator has saved the changes or chosen not to: the page keeps them all the same.
    m_modified = false;
    m_autosave->discard();
    return true;
}

void EditLive::save(bool askName)
{
    if (m_newsroomStory && !askName) {
        m_window->tell(i18n(str::EditLiveNewsroomStory));
        return;
    }
    try {
        const QString path = m_saving->save(m_window->text, m_documentName, askName);
        if (!path.isEmpty())
            saved(path);
    } catch (const std::exception &error) {
        Dialogs::current().message(QString::fromUtf8(error.what()));
    }
}

void EditLive::saved(const QString &path)
{
    m_documentName = path;
    m_window->setDocumentName(path);
    m_modified = false;
    m_autosave->discard();
    // A story's file is one of the show's: the page keeps the show's name.
    if (m_storyKey < 0)
        m_renamed(path);
}

bool EditLive::handOver()
{
    if (isOpen()) {
        m_window->raise();
        m_window->activateWindow();
        m_notice.show(i18n(str::EditLiveCloseFirst));
        return false;
    }
    // The rich script's document takes the edits made here, as the quick editor gets it from there.
    if (m_script && m_edited && m_storyKey < 0 && m_script->kind() == LiveScript::Kind::Rich && isCurrent())
        readRtf(writeRtf(m_script->document(), Qt::white), m_rich.document());
    dropScript();
    return true;
}

ScriptParagraphs EditLive::paragraphs()
{
    return ScriptParagraphs{script().paragraphs(), lockedParagraphs()};
}

ParagraphEdit EditLive::editParagraph(int index, const QString &text)
{
    LiveScript &live = script();
    if (index < 0 || index >= live.document()->blockCount())
        return ParagraphEdit::NoSuchParagraph;
    if (index < lockedParagraphs())
        return ParagraphEdit::Locked;
    live.replaceParagraph(index, text);
    commit();
    return ParagraphEdit::Done;
}

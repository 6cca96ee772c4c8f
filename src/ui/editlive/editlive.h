#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include "core/editlive/pageedit.h"
#include "core/remote/remotetarget.h"
#include "ui/browser/pagesplice.h"
#include "ui/toolkit/dialogs.h"

class Browser;
class EditLiveWindow;
struct EditableStory;
class LiveScript;
class PrompterCommands;
class PrompterView;
class QAction;
class QTextEdit;
class QWidget;
class ReadingAids;
class RecoveryAutosave;
class RecoveryStore;
class ScriptSaving;
class StatusNotice;
class StoryEditing;
class TalentDisplay;
struct PrompterParts;

// Edit Live: the script corrected while it scrolls. A window on the operator's screen, not modal,
// holds the script shown with the paragraph at the reading line marked and kept in view; each
// change reaches the page in place after a pause in typing (or at Enter): only the changed lines,
// the reader's line held where it stands on the screen, on the prompter's page, the talent
// display and the networked displays alike. With "Lock what was read" the paragraphs the reader
// has passed take no change. The window saves as the quick editor saves and asks before it closes
// on unsaved changes, which are kept for recovery meanwhile. Remote controls read and edit the
// paragraphs through it too, the window open or not.
//
// On a continuous page it edits one story, the one on air when it begins (the window names it),
// and only that story changes on the page. Saving writes the story's own file; a newsroom story
// has none here: its edits stay on the page until the newsroom sends the story again.
class EditLive : public QObject {
    Q_OBJECT
public:
    static constexpr int typingPauseMs = 300;
    static constexpr int readingPollMs = 200;

    // `richScript`: the prompter's hidden rich-text worker, which holds a rich script; `renamed`:
    // the script was saved under the name it is given, which the prompter shows and watches.
    EditLive(const PrompterParts &parts, ReadingAids &aids, TalentDisplay &talent, QTextEdit &richScript,
             std::function<void(const QString &path)> renamed, QObject *parent = nullptr);
    ~EditLive() override;

    QAction *menuEntry() const { return m_entry; }
    // The window, once it has been opened.
    EditLiveWindow *window() const;
    // The continuous page's stories, which it edits one at a time while the page shows them.
    void setStories(StoryEditing &stories) { m_stories = &stories; }
    void setTexts();
    // Opens the window with the script shown, or brings it to the front.
    void open();
    bool isOpen() const;
    // The quick editor is to have the script: while the window is open it is not (the window comes
    // to the front and the operator is told); otherwise the prompter's rich script takes the edits
    // made and true.
    bool handOver();

    // The control API's view of the script.
    ScriptParagraphs paragraphs();
    ParagraphEdit editParagraph(int index, const QString &text);
    // The serial of the last edit the prompter's page was given.
    int editSerial() const { return m_serial; }
    // What the prompter's page made of the last edit.
    const SpliceResult &lastSplice() const { return m_lastSplice; }

    // Where Edit Live keeps unsaved text for recovery.
    static RecoveryStore recoveryStore();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The prompter's page has the edit (`edit.anchor` the line it held): the networked displays
    // are to make it.
    void pageEdited(const PageEdit &edit);
    // These paragraphs (as they are counted now) changed; the script has `count` of them.
    void paragraphsChanged(const QList<int> &changed, int count);
    // The prompter's page has taken an edit, or the script was put in whole where it did not.
    void spliced();

private:
    // The script being edited, made from the one shown when there is none or it has been replaced.
    LiveScript &script();
    // Whether the prompter still shows the script as it was last made or edited here.
    bool isCurrent();
    // The script lines the prompter shows of what is edited (the story's on a continuous page);
    // nothing when it shows it no more.
    std::optional<QStringList> linesShown() const;
    // On a continuous page, the story on air has moved on from the one edited, which has no
    // change left unsaved and no window open.
    bool storyMovedOn() const;
    std::unique_ptr<LiveScript> storyScript(const EditableStory &story, const QStringList &lines) const;
    void makeScript();
    void dropScript();
    // The script shown was replaced while the edits were unsaved: they are kept for recovery.
    void keepUnsaved();
    void createWindow();
    void showScriptInWindow();

    void documentChanged();
    void commit();
    void commitStory();
    void spliceDone(PageEdit edit, const SpliceResult &result);
    void tellParagraphs();

    void pollReadingLine();
    // The page's script line `line` is at the reading line.
    void readingLineAt(int line);
    void markReading();
    void followReading();
    void setLockRead(bool on);
    int lockedParagraphs() const;

    bool mayClose();
    void save(bool askName);
    void saved(const QString &path);
    void tellLocked();

    PrompterView &m_view;
    Browser &m_page;
    StatusNotice &m_notice;
    PrompterCommands &m_commands;
    ReadingAids &m_aids;
    TalentDisplay &m_talent;
    QTextEdit &m_rich;
    std::function<void(const QString &)> m_renamed;
    QAction *m_entry;
    QPointer<EditLiveWindow> m_window;
    RecoveryAutosave *m_autosave = nullptr;
    FileDialogRequest m_saveDialog;
    std::unique_ptr<ScriptSaving> m_saving;
    QWidget &m_parent;

    StoryEditing *m_stories = nullptr;
    int m_storyKey = -1;          // the story edited on a continuous page; -1: the whole script
    bool m_newsroomStory = false; // a story with no file here

    std::unique_ptr<LiveScript> m_script;
    QStringList m_source;     // the script's lines as last put on the page, in the editor's forms
    QStringList m_shown;      // the same converted for the page: the prompter's script lines
    QStringList m_known;      // the prompter's script lines as last seen here
    QStringList m_paragraphs; // the paragraphs' text as last told
    QString m_documentName;
    bool m_modified = false; // changed since it was made from the script shown, or last saved
    bool m_edited = false;   // changed since it was made from the script shown
    bool m_changing = false; // the document is being set up: no change of the operator's

    QTimer m_typing;
    QTimer m_poll;
    bool m_inFlight = false;
    bool m_pending = false;
    int m_serial = 0;
    SpliceResult m_lastSplice;
    int m_readingParagraph = 0;
    bool m_lockRead = false;
    QElapsedTimer m_lastTouch; // the operator last typed or clicked in the text
};

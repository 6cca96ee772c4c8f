#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QWidget>

#include "core/engine/displaymodes.h"
#include "core/platform/fontspec.h"
#include "core/prompter/promptstate.h"
#include "core/render/richtohtml.h"
#include "ui/prompter/prompterview.h"
#include "ui/prompter/scriptstage.h"
#include "ui/toolkit/imagelist.h"

class Browser;
class BrowserSurface;
class EditLive;
class HttpProbe;
class MarkerJumps;
class NoticeBoard;
class OutputWindow;
class PageRestart;
class PromptEngine;
class PrompterCommands;
class PrompterRemote;
class QAction;
class QHBoxLayout;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTextEdit;
class QTimer;
class QuickEditRecovery;
class ReadingAids;
class ReadingLineCue;
class Rundown;
class ScriptFileFollowing;
class ShowClocks;
class StatusNotice;
class StepSlider;
class TakeCountdown;
class Standby;
class TalentDisplay;
class TalentMessage;
class TForm2;
class TForm4;
class TForm7;
class Taboutform;
class TickTimer;
class ToolImage;
class VoiceControl;

// The prompter window: the page in the browser `wb1`, the speed and coarse sliders, the status
// line with its toolbar, the logo panel with the popup menu, and the prompting state. It composes
// the features beyond them (reading aids, voice following, the talent display, the recovery from
// faults), each a class of its own that it makes and hands the parts it needs (PrompterParts).
class TForm1 : public QWidget, public PrompterView, public ScriptStage {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    PromptState promptstate;
    // Speed, direction, coarse step and run state, and how they move the page `wb1`.
    PromptEngine *engine;
    // The display options of the options window, as last confirmed there.
    DisplayModes displaymodes;
    FontSpec displayfont; // the font of the display-font dialog `FontDialog1`

    // Controls, named as the other windows and the tests find them.
    QWidget *Panel1, *Panel2, *wbpanel, *Panel3, *Panel4, *statusbar, *Panel5, *Panel6;
    ToolImage *Image1;
    QLabel *Label2, *Label12, *Label11;
    StepSlider *slidera, *speedmod;
    QTextEdit *myrichedit;
    Browser *wb1;
    QPlainTextEdit *Header, *footer;
    QLabel *Label1, *coarselabel, *Label4, *Label6, *timespentlabel, *timeleftlabel, *Label7, *Label5;
    ToolImage *Image4, *Image12, *Image10, *Image11, *Image9, *Image8, *Image7, *Image6, *Image5, *Image13,
        *Image14, *Image2, *Image3;
    TickTimer *Timer1; // the engine's tick timer
    QTimer *mousedowntimer;
    QTimer *readouttimer; // refreshes the read-outs while the page moves smoothly
    QMenu *JvPopupMenu1;
    QAction *OpenSimplescript1, *Font2, *Options2, *EditScript2, *PrintScript2, *Showstatusbar1, *About1,
        *Exit1;
    ImageList ImageList1, ImageList2;
    TJvRichEditToHtml rtftohtm;
    HttpProbe *http1;
    QString webquery; // the start page's query: the program's version and edition

    // The other windows of the program, which the prompter shows (the quick editor, the options
    // and queue window, the conversion's progress, the about window). Given once they exist.
    void setWindows(TForm2 *editor, TForm7 *progress, TForm4 *options, Taboutform *about);

    // The prompter's commands, wherever they come from, and the prompter as remote controls see it.
    PrompterCommands &commands() const { return *m_commands; }
    PrompterRemote &remoteTarget() const { return *m_remote; }
    Standby &standby() const { return *m_standby; }

    // Page
    void reloadwb();
    void buildpage(bool mirror, bool rotate);
    void wb1DocumentComplete();
    bool mirroredLocally() const override;
    bool upsideDownLocally() const override;
    bool mirroredRemotely() const override;
    bool upsideDownRemotely() const override;

    // Takes the display options confirmed in the options window.
    void setDisplayModes(const DisplayModes &modes);

    // Scroll engine: what the operator's controls do to the engine, and how the window shows it.
    // adjustspeed lets pending events run before it returns, so that the labels repaint at once.
    void adjustspeed();
    void dopause();
    void doreset();
    void resume();
    void Timer1Timer(int ticks = 1);
    void slideraChange();
    void speedmodChanged();
    void speedmodMouseUp();

    // Operator controls
    void wb1KeyDown(int key);
    void wb1Click(Qt::MouseButton button);
    void mouseover(int index, ToolImage *image);
    void mousedowntimerTimer();
    void Showstatusbar1Click();
    void ApplicationEvents1Exception(const QString &text);

    // Read-outs
    void calctime(const QString &kind);

    // Scripts and the queue
    void OpenSimplescript1Click();
    // Opens a script as the open dialog would (also for a script named on the command line).
    void openscript(const QString &path);
    // Reads a script by its file type into the page; false (after a message) for a type it does
    // not know. Throws when the file cannot be read, changing nothing.
    bool loadscript(const QString &path, bool plainTextResetsFont);
    // Shows `lines` as the script named `name` (in the status line), from its start and paused.
    void showscript(const QStringList &lines, const QString &name) override;
    // Puts `lines` in place of the script shown, on this page and the output's, keeping the
    // paragraph being read where it is (see Browser::replaceScript); `done` runs once the page has
    // them. With no script page to change in place, the page is built and loaded anew.
    void updatescript(const QStringList &lines, const QHash<int, int> &replacedBy,
                      std::function<void()> done = {}) override;
    // Loads queue entries that are not script files (a newsroom's stories): `loader` returns
    // true when it has loaded the entry `index` itself. None: every entry is a script file.
    void setQueueEntryLoader(std::function<bool(int index)> loader) override;
    void setQueuePosition(int index) override { promptstate.queuepos = index; }
    void setScriptText(ScriptText kind) override
    {
        promptstate.scripttext = kind;
        promptstate.richscript = false;
    }
    void openQueueEntry(int index) override;
    void renameScript(const QString &name) override;
    void tellOperator(const QString &notice) override;
    void nextscript();
    void prevscript();
    void Options2Click();
    void loadqueueentry(int index);
    QStringList queueEntries() const override;
    RundownStage &rundown() override;
    void changescript(const QStringList &lines, const PageChange &change,
                      std::function<void()> done = {}) override;
    // Quick edit and font
    void EditScript2Click();
    // Offers the quick editor's text that a stopped run left unsaved.
    void offerRecovery();
    void Font2Click();

    // Runs `action`, showing the text of an error it raises as every unhandled error is shown.
    void reportingErrors(const std::function<void()> &action);

    // Placement, mirror and rotate
    void setform();
    void flipmarker();
    void Image2MouseUp();
    void Image14MouseUp();
    void Image3MouseUp();

    // Dual display: the output window for the talent while it is open, else null.
    OutputWindow *outputwindow() const;
    void openoutputwindow();
    void closeoutputwindow();

    // Web service, about window and printing
    void Image13MouseUp();
    void About1Click();
    void PrintScript2Click();

    void Exit1Click();
    // The program is being ended from outside (a signal, the session's end): it closes as Exit
    // does, settings written, the quick editor's unsaved text kept for recovery. Does nothing
    // more once the window has closed.
    void endProgram();
    // The session asks for what must be kept before it may end: the settings and any unsaved
    // text of the quick editor are written, and everything stays open.
    void commitSessionData();

    // What the features see of the window.
    const PromptState &state() const override { return promptstate; }
    const DisplayModes &modes() const override { return displaymodes; }
    void reloadPage() override { reloadwb(); }
    void changeScriptInPlace(const QStringList &scriptlines, const QStringList &pagelines) override;
    bool isPageShown() const override { return m_shown; }
    void addReadout(QWidget *readout, bool beforeVersion) override;

signals:
    // A loaded document has been measured and put at the script's start.
    void pageMeasured();
    // A page restarted after its renderer ended stands where it stood before.
    void pageRestored();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend void restoreSettings(TForm1 *form);
    friend void saveSettings(TForm1 *form);

    void FormCreate();
    void FormShow();
    void FormClose();

    void createLayout();
    QWidget *createLogoPanel();
    QWidget *createSliderStrip();
    QWidget *createStatusPanel();
    ToolImage *addToolImage(const char *name, const char *hint, int restIndex);
    void createPopupMenu();
    void createFeatures();
    // A file dropped on the window opens as one chosen in the open dialog would.
    void createScriptDrop();
    void setTexts();
    void connectControls();
    // What the window's own commands do (the engine, the scripts and the queue, the display, the
    // menu's windows), and what it tells of the prompter's state.
    void registerCommands();
    void loadSpecialTable();
    void placeLogoPanel();
    // Keyboard only: every toolbar command has a key, and the menu opens from the keyboard.
    void assignToolKeys();
    void promptKey(int key);
    void showMenuFromKeyboard();
    void startRepeat(int button);
    void stopRepeat();
    void checkForUpdateNotice();
    // Puts the script's markers on the page just built, and counts its words for the clocks.
    void markscriptpage();
    // Tells the engine, the output follower and the reading aids how the local page is turned,
    // and whether it moves smoothly.
    void applyModes();
    void showRunState();
    void showSpeed();
    void showMotion(double pixelsPerSecond);
    // Hands the script to the quick editor, shows it modally and, on OK, takes the edited rich
    // text back as the script; throws when a file step fails.
    void quickedit();
    void prepareEditorFont();
    // Shows the quick editor modally and, on OK, takes its rich text as the script.
    void runQuickEditor();
    void showStartPage();
    // Reads a script by its file type; nothing (after a message) for a type it does not know.
    // Throws when the file cannot be read.
    std::optional<QStringList> readscript(const QString &path, bool plainTextResetsFont);
    // Shows a script file's new text at `share` (0..1) of its page.
    void reloadChangedScript(const QStringList &lines, double share);
    // A change in place needs a script page that stands where it was put and is not being built.
    bool pageStandsForChange() const;
    // Builds the page of the script shown (its markers put on it, its words counted) without
    // loading it and without the progress window: the page changes under the reader.
    void rebuildPageLines();
    // What runs once the page has been changed in place: its new length taken, the talent display
    // following it, then `done`.
    std::function<void()> changedInPlace(std::function<void()> done);
    // Builds and loads the page anew; `done` runs once it has been put at its start.
    void reloadThen(std::function<void()> done);

    TForm2 *m_editor = nullptr;
    TForm7 *m_progress = nullptr;
    TForm4 *m_options = nullptr;
    Taboutform *m_about = nullptr;
    std::unique_ptr<BrowserSurface> m_surface;
    StatusNotice *m_notice;
    QHBoxLayout *m_statusLine = nullptr;
    std::function<bool(int index)> m_queueEntryLoader;
    std::optional<double> m_reloadShare; // where a reloaded script's page is to stand, 0..1 of it
    bool m_shown = false;
    bool m_modesKnown = false; // the options window has given its choices
    bool m_showsRunning = false;
    bool m_helpProbePending = false;
    bool m_printing = false;
    bool m_recountQueued = false; // the edited script's markers and words are to be counted again

    // The features the window is made of.
    PrompterCommands *m_commands;
    PrompterRemote *m_remote = nullptr;
    ReadingAids *m_aids = nullptr;
    TalentDisplay *m_talent = nullptr;
    NoticeBoard *m_notices = nullptr;
    MarkerJumps *m_markers = nullptr;
    ReadingLineCue *m_readingLine = nullptr;
    TakeCountdown *m_countdown = nullptr;
    ShowClocks *m_clocks = nullptr;
    TalentMessage *m_message = nullptr;
    VoiceControl *m_voice = nullptr;
    Rundown *m_rundown = nullptr;
    PageRestart *m_restart = nullptr;
    QuickEditRecovery *m_recovery = nullptr;
    QuickEditRecovery *m_liveRecovery = nullptr;
    EditLive *m_editLive = nullptr;
    ScriptFileFollowing *m_fileFollowing = nullptr;
    Standby *m_standby = nullptr;
};

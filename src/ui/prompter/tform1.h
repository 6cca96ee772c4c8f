#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QWidget>

#include "core/engine/displaymodes.h"
#include "core/engine/scriptmarkers.h"
#include "core/platform/fontspec.h"
#include "core/prompter/promptstate.h"
#include "core/render/richtohtml.h"
#include "core/settings/readingaidsettings.h"
#include "core/settings/voicesettings.h"
#include "ui/toolkit/imagelist.h"

class Browser;
class BrowserSurface;
class Countdown;
class ShowClock;
class PageNotice;
class HttpProbe;
class OutputFollower;
class OutputWindow;
struct PageLayout;
class PromptEngine;
class QAction;
class QActionGroup;
class ReadingCueOverlay;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTextEdit;
class QTimer;
class ScriptFileWatch;
struct RecoveredText;
class StatusNotice;
class StepSlider;
class TickTimer;
class VoiceFollowing;
class ToolImage;

// The prompter window: the page in the browser `wb1`, the speed and coarse sliders, the status
// line with its toolbar, the logo panel with the popup menu, and the prompting state.
class TForm1 : public QWidget {
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
    QString outputscreen; // the screen the output window last stood on, kept between runs

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

    // Page
    void reloadwb();
    void buildpage(bool mirror, bool rotate);
    void wb1DocumentComplete();
    // The browser's process that drew the page ended: the page is loaded again and put back where
    // it stood, at the same speed and run state. `hadDocument`: a document stood complete then.
    void restartPage(bool hadDocument);
    bool mirroredLocally() const;
    bool upsideDownLocally() const;
    bool mirroredRemotely() const;
    bool upsideDownRemotely() const;

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
    void showscript(const QStringList &lines, const QString &name);
    // Puts `lines` in place of the script shown, on this page and the output's, keeping the
    // paragraph being read where it is (see Browser::replaceScript); `done` runs once the page has
    // them. With no script page to change in place, the page is built and loaded anew.
    void updatescript(const QStringList &lines, const QHash<int, int> &replacedBy,
                      std::function<void()> done = {});
    // Loads queue entries that are not script files (a newsroom's stories): true when it has
    // loaded the entry `index` itself.
    std::function<bool(int index)> queueentryloader;
    void nextscript();
    void prevscript();
    void Options2Click();
    void loadqueueentry(int index);
    // Watches the file of the script shown: a change is loaded when the options say so (the
    // reader kept at the nearest line), else told on the status line, as is a file that has gone.
    ScriptFileWatch *scriptwatch;
    void scriptFileChanged(const QString &path);
    void scriptFileVanished(const QString &path);
    QStringList queueEntries() const;
    // Quick edit and font
    void EditScript2Click();
    // Offers the quick editor's text that a stopped run left unsaved, showing what it would
    // restore; the recovery file goes once the operator has chosen.
    void offerRecovery();
    void Font2Click();

    // Tells something on the status line for a while, the line's own text coming back after.
    StatusNotice *statusnotice() const { return m_notice; }

    // Runs `action`, showing the text of an error it raises as every unhandled error is shown.
    void reportingErrors(const std::function<void()> &action);

    // Placement, mirror and rotate
    void setform();
    void flipmarker();
    void Image2MouseUp();
    void Image14MouseUp();
    void Image3MouseUp();

    // Dual display: the output window for the talent, which `follower` keeps at the page's place.
    OutputFollower *follower;
    // The output window while it is open, else null.
    OutputWindow *outputwindow() const;
    void openoutputwindow();
    void closeoutputwindow();

    // Reading aids, kept between runs.
    ReadingAidSettings readingaids;
    void setReadingAids(const ReadingAidSettings &values);

    // Markers and jumps (keys, the menu and the remote control call these). Each glides the page
    // to its place in a fraction of a second and carries on at the speed it had; the output
    // window follows. A jump with no place to go (no marker ahead) leaves the page as it is.
    QList<ScriptMarker> scriptmarkers; // the markers of the script on the page
    QStringList markernames() const;
    void nextmarker();
    void previousmarker();
    void jumptomarker(int index);
    // `lines` lines of text on in the script (negative: back).
    void jumplines(int lines);
    QMenu *Markers1, *GoToMarker1;
    QAction *NextMarker1, *PreviousMarker1, *BackLines1, *ForwardLines1, *HideMarkers1;

    // The reading line on the prompter's page and the talent's (ReadingAidSettings::readingLine).
    ReadingCueOverlay *readingcue;
    QMenu *ReadingLine1, *CueColour1, *CueOpacity1;
    QAction *CueOnPrompter1, *CueOnTalent1, *CueArrow1, *CueBand1, *CueQuarter1, *CueThird1, *CueHalf1;
    // Shows the reading line as the settings say, on both displays.
    void applyReadingLine();

    // The countdown into a run from the script's start, shown big on both displays; any key or
    // click cancels it, and the page stays paused.
    Countdown *countdown;
    PageNotice *prompternotice;
    QMenu *Countdown1;
    QAction *CountdownOn1;
    void cancelcountdown();

    // The clocks of the show (also for the remote control): the show clock, free-running and
    // independent of the scrolling, the time of day, the script's reading time at the reading
    // pace, and when the script will end while the speed is steady. Shown in the status line
    // (`clocklabel`), and on the talent display when chosen.
    std::unique_ptr<ShowClock> showclock;
    QLabel *clocklabel;
    QTimer *clocktimer;
    QMenu *Timing1, *ReadingPace1;
    QAction *ShowClockRun1, *ShowClockReset1, *ClocksOnTalent1;
    void startshowclock();
    void stopshowclock();
    void toggleshowclock();
    void resetshowclock();
    // The text of the clocks now, as the status line shows it.
    QString clocktexts() const;
    // The reading time of the script on the page at the reading pace.
    qint64 scriptreadingms() const;

    // A short message for the talent ("wrap up"), shown big over the talent display's text until
    // it is dismissed; flashing when chosen. The countdown goes before it while it counts.
    QString talentmessage;
    QAction *TalentMessage1, *ClearTalentMessage1, *FlashTalentMessage1;
    void showtalentmessage(const QString &text);
    void cleartalentmessage();
    // Asks the operator for the message and shows it.
    void TalentMessage1Click();

    // Voice following, kept between runs: the page follows the speaker's voice (`voice`), its state
    // on the status line (`voicelabel`); any key or control of the operator's takes over at once.
    VoiceSettings voicesettings;
    VoiceFollowing *voice;
    QLabel *voicelabel;
    QAction *VoiceFollowing1;
    // The options window's choice: kept, and following turned on or off by it.
    void setVoiceSettings(const VoiceSettings &values);
    // Turns following on or off for now (the key, the menu, the remote control).
    void setVoiceFollowing(bool on);

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
    void FormCreate();
    void FormShow();
    void FormClose();

    void createLayout();
    QWidget *createLogoPanel();
    QWidget *createSliderStrip();
    QWidget *createStatusPanel();
    ToolImage *addToolImage(const char *name, const char *hint, int restIndex);
    void createPopupMenu();
    void setTexts();
    void connectControls();
    void loadSpecialTable();
    void placeLogoPanel();
    // Keyboard only: every toolbar command has a key, and the menu opens from the keyboard.
    void assignToolKeys();
    void promptKey(int key);
    bool clickerKey(int key);
    void showMenuFromKeyboard();
    void createMarkerMenu();
    void createReadingLineMenu();
    void createCountdown();
    void createTiming();
    void createScriptDrop();
    void createTalentMessageMenu();
    void createVoice();
    void setTalentMessageTexts();
    void setTimingTexts();
    void showClocks();
    void setCountdownTexts();
    // Starts the countdown instead of the run the engine has just started, when that starts at
    // the script's start.
    void checkCountdown();
    bool atScriptStart() const;
    // Shows what the notices of both displays are to show now.
    void showNotices();
    void setReadingLineTexts();
    // Changes the reading line's settings by `change` and shows them.
    void changeReadingLine(const std::function<void(ReadingLine &)> &change);
    void setMarkerTexts();
    // The keys of the reading aids; false for any other key.
    bool readingAidKey(int key);
    // Puts the script's markers on the page just built.
    void markscriptpage();
    // Measures the page and glides it to the position `target` computes from it.
    void glideToMeasured(const std::function<int(const PageLayout &)> &target);
    void startRepeat(int button);
    void stopRepeat();
    void checkForUpdateNotice();
    // Tells the engine and the output follower how the local page is turned, and whether it
    // moves smoothly.
    void applyModes();
    void showRunState();
    void showSpeed();
    void showMotion(double pixelsPerSecond);
    void loadoutputpage();
    // Hands the script to the quick editor, shows it modally and, on OK, takes the edited rich
    // text back as the script; throws when a file step fails.
    void quickedit();
    void prepareEditorFont();
    // Shows the quick editor modally and, on OK, takes its rich text as the script.
    void runQuickEditor();
    void quickeditRecovered(const RecoveredText &text);
    void showStartPage();
    void placeRestartedPage(int position);
    // Reads a script by its file type; nothing (after a message) for a type it does not know.
    // Throws when the file cannot be read.
    std::optional<QStringList> readscript(const QString &path, bool plainTextResetsFont);
    // Tells on the status line that a display page was brought back.
    void noticePageRestarted();

    std::unique_ptr<BrowserSurface> m_surface;
    StatusNotice *m_notice;
    std::optional<int> m_restartAt;      // where a restarted page is to be put back
    int m_restartTarget = 0;             // the same, kept until the page stands there again
    QTimer *m_restartWatch = nullptr;    // a restart that has not come back in time is tried again
    std::optional<double> m_reloadShare; // where a reloaded script's page is to stand, 0..1 of it
    bool m_shown = false;
    bool m_modesKnown = false; // the options window has given its choices
    bool m_showsRunning = false;
    bool m_helpProbePending = false;
    bool m_printing = false;
    bool m_wasRunning = false;
    bool m_countdownPassed = false; // the run now starting has been counted into
    QElapsedTimer m_speedSteady;    // since the speed last changed
    int m_scriptWords = 0;
};

#pragma once

#include <functional>
#include <optional>

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

struct PageLayout;
struct PageText;
class PageSchemeHandler;
class ScriptPageGuard;

// The embedded browser that shows the script page. It offers what the prompter needs of a
// browser: load a page from lines, navigate to an address, read and set the vertical scroll
// position, and report completed documents, keys and clicks.
//
// Script pages run no code of their own and reach no network: JavaScript is off for them, and our
// own calls run in the application's isolated world, which works with page scripts off. Web pages
// (start page, help) are ordinary pages with JavaScript on. Pages from files (the help installed
// with the program) load other files but, as the browser keeps local content from remote
// addresses, reach no network, neither by what they load nor by their links.
class Browser : public QWebEngineView {
    Q_OBJECT
public:
    explicit Browser(QWidget *parent = nullptr);
    ~Browser() override;

    // Shows `lines` (each followed by CR LF, encoded as UTF-8) as a script page.
    void loadPageLines(const QStringList &lines);
    // The bytes served for a page: its lines, each followed by CR LF, as UTF-8, with invisible
    // block breaks that keep the layout time linear in the page's length, and each body line
    // after an empty mark (linemark()).
    static QByteArray pagebytes(const QStringList &lines);
    // The empty mark every body line of a script page starts with in its bytes, by which an edit
    // finds the lines it changes (resources/page/editlines.js).
    static QString linemark();
    // `lines` as body lines of a page's bytes: each after its mark and followed by CR LF.
    static QString markedlines(const QStringList &lines);
    // Puts the script of `lines` (a whole page, as loadPageLines takes it) into the script page
    // shown, in place of its script, without loading a new document: the paragraph at the reader's
    // edge stays where the reader sees it (resources/page/replacescript.js). `replacedBy` names, by
    // the key of a paragraph that has gone, the paragraph to keep in its place. `done` runs once
    // the page has it. False, and nothing done, while a document loads or when no script page is
    // shown.
    bool replaceScript(const QStringList &lines, const QHash<int, int> &replacedBy,
                       std::function<void()> done = {});
    // Runs `script` (a page script of the program's that changes the script page in place) and
    // takes the page's position and length after; `done` runs once the page has changed. False,
    // and nothing done, while a document loads or when no script page is shown.
    bool changeScriptPage(const QString &script, std::function<void()> done = {});
    // Runs `script` in the script page and hands its answer to `done`; an answer for a document
    // that has been replaced meanwhile is dropped. Nothing runs without a complete script page.
    void evaluate(const QString &script, std::function<void(const QVariant &)> done);
    // Shows a web page.
    void navigate(const QUrl &url);

    // False from the moment a new document is asked for until it has loaded.
    bool isDocumentComplete() const { return !m_loadRequested && m_loadsInProgress == 0 && m_hasDocument; }
    bool isScriptPage() const;
    QUrl documentUrl() const { return url(); }

    // A page that only shows: it never takes the keyboard focus, and neither wheel nor keys move
    // it (keys and clicks are still reported).
    void setDisplayOnly();
    // Keys that are commands of the program rather than the page's: reported, never handed to
    // the page (so Page Down, say, does not also scroll it).
    void setCommandKeys(const QList<int> &keys) { m_commandKeys = keys; }
    // Lays script pages out `width` pixels wide, as a view of that width would, and draws them
    // scaled to this view's width, so that they break their lines exactly as that view does.
    // 0 (the start) lays them out at this view's own width.
    void setLayoutWidth(int width);
    // Keeps side margins `width` pixels of the page's layout wide free of text on script pages
    // (resources/page/gutter.js), this one and those to come; 0 gives them back.
    void setGutter(int width);
    int gutter() const { return m_gutter; }
    // How many of this view's pixels show one pixel of the page's layout.
    double pageScale() const;

    // The vertical position the page last reported; -1 before any document has reported one.
    // Every answer of the page reports it, and the page is asked again after a wheel turn, a key
    // or a change of size, until it rests.
    int scrollPosition() const { return m_position; }
    // The largest position the page could take when it last reported.
    int scrollBottom() const { return m_bottom; }
    // When the page stood at scrollPosition(), on a clock that all pages share (milliseconds since
    // the epoch).
    double positionTime() const { return m_positionTime; }
    // The rate of the smooth motion last set (0: none).
    double smoothMotion() const { return m_smoothRate; }
    // Where the page stands now: its last report moved on by the smooth motion since.
    int estimatedPosition() const;
    // Scroll requests run in the page without waiting: `done` runs once the page has moved. They
    // are ignored without a document and while one is loading (the document-complete handling
    // then places the view), and an answer for a document that has since been replaced is dropped.
    // Waiting for the page inside a handler would stall the browser, which serves the page on
    // the same thread.
    void scrollTo(int x, int y, std::function<void()> done = {});
    void scrollToTop(std::function<void()> done = {});
    void scrollToBottom(std::function<void()> done = {});
    // Moves the live page by `delta` pixels without waiting. The move is made in the page, against
    // its present position, so movements by wheel or keys count; while a move is still on its
    // way, further steps add up into the next one. Ignored while a document is loading.
    void scrollStep(int delta);

    // Moves the page on every display frame by `pixelsPerSecond` times the frame's duration
    // (negative: toward the top), from wherever the page is, fractions of a pixel included; 0
    // stops the motion. The motion runs in the page's own frame loop; a new document starts still.
    void setSmoothMotion(double pixelsPerSecond);
    // Asks the page for its position (first folding what the smooth motion has moved into it);
    // `done` runs once scrollPosition() holds the answer.
    void queryPosition(std::function<void()> done = {});
    // Puts the page where a page that stood at `y` at `atTime` (positionTime()'s clock) and moves
    // at `pixelsPerSecond` stands now, and moves it on at that rate (0: holds it there). While
    // one such request is on its way, a newer one replaces the one waiting. Ignored while a
    // document is loading.
    void follow(int y, double atTime, double pixelsPerSecond);

    // Measures the script page's markers and lines (resources/page/markers.js); `done` gets the
    // answer. While a document loads, the newest request waits for it; a page that is not a
    // script page is not measured, and `done` never runs.
    void measureLayout(std::function<void(const PageLayout &)> done);
    // Measures the script page's words (resources/page/voicewords.js) as measureLayout measures
    // the markers; a page rebuilt meanwhile is measured again.
    void measureWords(std::function<void(const PageText &)> done);

    // Gives the keyboard focus to the page.
    void focusPage();

signals:
    void documentComplete(const QUrl &url);
    // A key pressed while the page has the focus, as a virtual-key code (letters: 'A'..'Z').
    void pageKeyDown(int key);
    // The menu key or Shift+F10 pressed while the page has the focus (not reported as keys).
    void pageMenuRequested();
    void pageClicked(Qt::MouseButton button);
    void scrollPositionChanged(int y);
    // The browser's process that drew the page has ended (killed, crashed, out of memory): the
    // view shows nothing until a document is loaded again. scrollPosition() keeps where the page
    // stood then, and no request is left waiting for an answer. `hadDocument`: a document stood
    // complete (not one still loading).
    void rendererEnded(bool hadDocument);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct FollowRequest {
        int y;
        double atTime;
        double pixelsPerSecond;
    };

    void runScroll(const QString &script, std::function<void()> done);
    // Runs `script`, which answers the page's position, and takes the answer.
    void ask(const QString &script, std::function<void()> done);
    void sendPendingStep();
    void sendPendingFollow();
    void acceptPosition(const QVariant &value);
    void applyLayout();
    void watchPosition();
    void watchOnce();
    void forgetRenderer();

    static constexpr int watchIntervalMs = 50;
    static constexpr int maxWatchRounds = 40;
    static constexpr int quietAnswersToRest = 3;
    static constexpr int maxPageRetries = 3;

    PageSchemeHandler *m_schemes;
    ScriptPageGuard *m_guard;
    int m_loadsInProgress = 0;
    bool m_loadRequested = false; // asked for, but the browser has not started loading it yet
    bool m_hasDocument = false;
    bool m_rendererLost = false; // the renderer died, and no load has started since
    QUrl m_wantedPage;           // the script page asked for last, until another kind of page is
    int m_pageRetries = 0;       // times it was asked for again after the browser dropped the request
    int m_position = -1;
    int m_bottom = -1;
    double m_positionTime = 0;
    int m_pendingStep = 0;
    double m_smoothRate = 0;
    bool m_stepInFlight = false;
    std::optional<FollowRequest> m_pendingFollow;
    bool m_followInFlight = false;
    bool m_displayOnly = false;
    QList<int> m_commandKeys;
    std::function<void(const PageLayout &)> m_layoutWaiting;
    int m_layoutWidth = 0;
    int m_gutter = 0;
    QTimer m_watch;
    int m_watchRounds = 0;
    int m_quietAnswers = 0;
    quint64 m_generation = 0;
};

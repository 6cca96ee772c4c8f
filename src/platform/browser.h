#pragma once

#include <functional>

#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QWebEngineView>

class PageSchemeHandler;
class ScriptPageGuard;

// The embedded browser that shows the script page. It offers what the prompter needs of a
// browser: load a page from lines, navigate to an address, read and set the vertical scroll
// position, and report completed documents, keys and clicks.
//
// Script pages run no code of their own and reach no network: JavaScript is off for them, and our
// own calls run in the application's isolated world, which works with page scripts off. Web pages
// (start page, help) are ordinary pages with JavaScript on.
class Browser : public QWebEngineView {
    Q_OBJECT
public:
    explicit Browser(QWidget *parent = nullptr);
    ~Browser() override;

    // Shows `lines` (each followed by CR LF, encoded as UTF-8) as a script page.
    void loadPageLines(const QStringList &lines);
    // The bytes served for a page: its lines, each followed by CR LF, as UTF-8, with invisible
    // block breaks that keep the layout time linear in the page's length.
    static QByteArray pagebytes(const QStringList &lines);
    // Shows a web page.
    void navigate(const QUrl &url);

    // False from the moment a new document is asked for until it has loaded.
    bool isDocumentComplete() const { return !m_loadRequested && m_loadsInProgress == 0 && m_hasDocument; }
    bool isScriptPage() const;
    QUrl documentUrl() const { return url(); }

    // The vertical position the page last reported; -1 before any document has reported one.
    int scrollPosition() const { return m_position; }
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

    // Gives the keyboard focus to the page.
    void focusPage();

signals:
    void documentComplete(const QUrl &url);
    // A key pressed while the page has the focus, as a virtual-key code (letters: 'A'..'Z').
    void pageKeyDown(int key);
    void pageClicked(Qt::MouseButton button);
    void scrollPositionChanged(int y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void childEvent(QChildEvent *event) override;

private:
    void runScroll(const QString &script, std::function<void()> done);
    // Runs `script`, which answers the page's position, and takes the answer.
    void ask(const QString &script, std::function<void()> done);
    void sendPendingStep();
    void acceptPosition(const QVariant &value);

    PageSchemeHandler *m_schemes;
    ScriptPageGuard *m_guard;
    int m_loadsInProgress = 0;
    bool m_loadRequested = false; // asked for, but the browser has not started loading it yet
    bool m_hasDocument = false;
    int m_position = -1;
    int m_pendingStep = 0;
    double m_smoothRate = 0;
    bool m_stepInFlight = false;
    quint64 m_generation = 0;
};

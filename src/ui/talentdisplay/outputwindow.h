#pragma once

#include <QStringList>
#include <QWidget>

#include "core/editlive/pageedit.h"
#include "core/prompter/scriptposition.h"

class Browser;
class PageNotice;
class ReadingCueOverlay;
struct ReadingLine;
class QScreen;

// The output window: the script page for the talent, on a second screen behind the glass. It
// shows the prompter's page with the modes of its own display, laid out as wide as the
// prompter's page (so that both break their lines alike) and scaled to its own width, and keeps
// it at the place in the script that it is given. It never takes the focus from the prompter;
// keys pressed on it are handed on. A networked display shows its leader's page in one.
class OutputWindow : public QWidget {
    Q_OBJECT
public:
    // `layoutWidth`: the width of the prompter's page, whose line breaks the output copies.
    explicit OutputWindow(int layoutWidth);

    Browser *outputpage;
    // Shown big over the page: the countdown, a message for the talent.
    PageNotice *notice;
    // The clocks of the show, small in a corner, when the operator shows them here.
    PageNotice *clock;

    // Shows the window full screen on `screen`, or as a normal window when there is none.
    void open(QScreen *screen);
    // Shows `pagelines` from the script's start; `upsideDown`: the page is turned, so that the
    // script starts at its bottom.
    void showPage(const QStringList &pagelines, bool upsideDown);
    // The lines of the page shown.
    const QStringList &pagelines() const { return m_pagelines; }
    // Makes an edit of the script on the page shown, in place, holding the edit's anchor (or the
    // line at the reading line `readingShare` of the view down) where it stands; a page that could
    // not take it line by line gets its script whole where it stands. False, with nothing done,
    // while the page loads or when it does not show the lines the edit was made on.
    bool editPage(const PageEdit &edit, double readingShare);
    // Keeps the page at the script position `script` (see scriptposition.h), which the prompter's
    // page had at `atTime` (Browser::positionTime()'s clock), moving on at `scriptRate` pixels of
    // the script per second.
    void follow(double script, double atTime, double scriptRate);
    // Shows the reading line `line` over the page (or not, when `shown` is false), keeping the
    // page's gutters free for it while `gutter` is not 0.
    void setReadingCue(const ReadingLine &line, bool shown, int gutter, bool upsideDown);
    // The script position the page last reported.
    double scriptPosition() const;
    // Covers the page with black, or uncovers it; the page keeps following beneath.
    void setBlackout(bool blackout);
    // The prompter's page has a new width: the output breaks its lines there too.
    void setLayoutWidth(int width);

signals:
    void keyPressed(int key);
    // The window has come to stand on the screen named `name`.
    void screenChanged(const QString &name);
    // The browser's process that drew the page ended; the page is being loaded again and will
    // stand where it was told to follow.
    void pageRestarted();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    ScriptPage pageNow() const;
    void place();
    void pageAnswered();

    void restartPage();

    QWidget *m_blackout;
    QStringList m_pagelines; // what the page shows, to load again should its renderer end
    ReadingCueOverlay *m_cue;
    bool m_upsideDown = false;
    ScriptMotion m_motion; // where the page was last placed
    int m_placedBottom = -1;
    double m_placedScale = 1.0;
};

// The display page of the prompter window: building and loading it (and the output window's
// page), measuring it once loaded, and the mirror and rotate modes that shape both.
#include <utility>

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "core/prompter/placement.h"
#include "core/prompter/scriptposition.h"
#include "ui/prompter/tform1.h"
#include "core/render/page.h"
#include "ui/faults/pagerestart.h"
#include "ui/readingaids/markerjumps.h"
#include "ui/readingaids/noticeboard.h"
#include "ui/readingaids/readinglinecue.h"
#include "ui/readingaids/showclocks.h"
#include "ui/render/tform7.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"
#include "ui/toolkit/toolimage.h"

namespace {

// How long after an edit made in place its script's markers and words are counted again.
constexpr int recountAfterEditMs = 200;

TaskbarPosition taskbarpos(const QScreen *screen)
{
    // The taskbar is the strip of the screen that the desktop reserves for panels.
    TaskbarPosition taskbar;
    const QRect whole = screen->geometry();
    const QRect free = screen->availableGeometry();
    if (free == whole)
        return taskbar;
    if (free.top() > whole.top()) {
        taskbar.edge = TaskbarPosition::Top;
        taskbar.rect = QRect(whole.left(), whole.top(), whole.width(), free.top() - whole.top());
    } else if (free.bottom() < whole.bottom()) {
        taskbar.edge = TaskbarPosition::Bottom;
        taskbar.rect = QRect(whole.left(), free.bottom() + 1, whole.width(), whole.bottom() - free.bottom());
    } else if (free.left() > whole.left()) {
        taskbar.edge = TaskbarPosition::Left;
        taskbar.rect = QRect(whole.left(), whole.top(), free.left() - whole.left(), whole.height());
    } else {
        taskbar.edge = TaskbarPosition::Right;
        taskbar.rect = QRect(free.right() + 1, whole.top(), whole.right() - free.right(), whole.height());
    }
    taskbar.rect.translate(-whole.topLeft());
    return taskbar;
}

} // namespace

bool TForm1::mirroredLocally() const
{
    return displaymodes.mirroredLocally(promptstate.mirroron);
}

bool TForm1::upsideDownLocally() const
{
    return displaymodes.upsideDownLocally(promptstate.rotateon);
}

bool TForm1::mirroredRemotely() const
{
    return displaymodes.mirroredRemotely(promptstate.mirroron);
}

bool TForm1::upsideDownRemotely() const
{
    return displaymodes.upsideDownRemotely(promptstate.rotateon);
}

void TForm1::setDisplayModes(const DisplayModes &modes)
{
    displaymodes = modes;
    m_modesKnown = true;
    applyModes();
}

void TForm1::applyModes()
{
    engine->setUpsideDown(upsideDownLocally());
    engine->setSmooth(displaymodes.smoothScrolling);
    m_talent->follower()->setPrompterUpsideDown(upsideDownLocally());
    m_readingLine->apply();
}

void TForm1::reloadwb()
{
    // A page built anew replaces one that was being restarted: it starts where its own load puts it.
    m_restart->cancel();
    // The engine moves the page in the sense of the page it is given.
    applyModes();
    buildpage(mirroredLocally(), upsideDownLocally());
    m_talent->follower()->setHeld(true);
    wb1->loadPageLines(promptstate.pagelines);
    m_talent->loadPage();
}

void TForm1::buildpage(bool mirror, bool rotate)
{
    TForm7 *progress = m_progress;
    if (progress)
        progress->begin(static_cast<int>(promptstate.specialtable.size()));
    promptstate.pagelines = ::buildpage(promptstate.scriptlines, promptstate.specialtable,
                                        PageFont{displayfont.name, displayfont.size}, displaymodes.capitals,
                                        mirror, rotate, promptstate.scripttext, [progress](int index, int) {
                                            if (progress)
                                                progress->step(index);
                                        });
    markscriptpage();
    if (progress)
        progress->end();
    QFont workerFont = myrichedit->font();
    workerFont.setFamily(displayfont.name);
    workerFont.setPointSize(displayfont.size > 0 ? displayfont.size : 8);
    myrichedit->setFont(workerFont);
}

void TForm1::updatescript(const QStringList &lines, const QHash<int, int> &replacedBy,
                          std::function<void()> done)
{
    promptstate.scriptlines = lines;
    if (!pageStandsForChange()) {
        reloadThen(std::move(done));
        return;
    }
    rebuildPageLines();
    OutputFollower *follower = m_talent->follower();
    if (OutputWindow *output = follower->window())
        output->outputpage->replaceScript(
            withbodytag(promptstate.pagelines, mirroredRemotely(), upsideDownRemotely()), replacedBy);
    if (!wb1->replaceScript(promptstate.pagelines, replacedBy, changedInPlace(done)))
        reloadThen(std::move(done));
}

void TForm1::changescript(const QStringList &lines, const PageChange &change, std::function<void()> done)
{
    promptstate.scriptlines = lines;
    if (pageStandsForChange()) {
        rebuildPageLines();
        if (change(promptstate.pagelines, changedInPlace(done)))
            return;
    }
    reloadThen(std::move(done));
}

bool TForm1::pageStandsForChange() const
{
    // A new page still being put at its start (the output held meanwhile) stands nowhere yet.
    return !m_talent->follower()->isHeld() && !promptstate.helpshown && wb1->isScriptPage() &&
           wb1->isDocumentComplete();
}

void TForm1::rebuildPageLines()
{
    promptstate.pagelines = ::buildpage(promptstate.scriptlines, promptstate.specialtable,
                                        PageFont{displayfont.name, displayfont.size}, displaymodes.capitals,
                                        mirroredLocally(), upsideDownLocally(), promptstate.scripttext);
    markscriptpage();
}

std::function<void()> TForm1::changedInPlace(std::function<void()> done)
{
    return [this, done = std::move(done)] {
        promptstate.pagebottom = wb1->scrollBottom();
        m_talent->follower()->follow();
        if (done)
            done();
    };
}

void TForm1::reloadThen(std::function<void()> done)
{
    if (done) {
        auto once = std::make_shared<QMetaObject::Connection>();
        *once = connect(this, &TForm1::pageMeasured, this, [once, done] {
            disconnect(*once);
            done();
        });
    }
    reloadwb();
}

void TForm1::changeScriptInPlace(const QStringList &scriptlines, const QStringList &pagelines)
{
    // The page's lines come with their markers on: the markers and words are only counted again.
    promptstate.scriptlines = scriptlines;
    promptstate.pagelines = pagelines;
    wb1->queryPosition([this] { promptstate.pagebottom = wb1->scrollBottom(); });
    // Counting a long script takes longer than the edit itself: it follows once the page has the
    // edit, once for edits in quick succession.
    if (m_recountQueued)
        return;
    m_recountQueued = true;
    QTimer::singleShot(recountAfterEditMs, this, [this] {
        m_recountQueued = false;
        const QStringList shown =
            scriptmarkup(promptstate.scriptlines, promptstate.specialtable, promptstate.scripttext);
        m_markers->findMarkers(shown);
        m_clocks->countWords(shown);
    });
}

void TForm1::markscriptpage()
{
    // Markers and words as the page shows them: plain text as written, not as markup.
    const QStringList shown =
        scriptmarkup(promptstate.scriptlines, promptstate.specialtable, promptstate.scripttext);
    m_markers->markPage(promptstate.pagelines, shown, displaymodes.capitals);
    m_clocks->countWords(shown);
}

void TForm1::wb1DocumentComplete()
{
    // A page loaded again after its renderer ended goes back to its place, not to the start.
    if (m_restart->placeRestarted())
        return;
    // The browser reports the document while it is still busy with it; the page steps chain on
    // its answers rather than wait for them here.
    checkForUpdateNotice();
    // The output window follows the page again once it stands at the script's start.
    OutputFollower *follower = m_talent->follower();
    follower->setHeld(true);
    wb1->scrollToBottom([this, follower] {
        promptstate.pagebottom = wb1->scrollPosition();
        const ScriptPage measured{promptstate.pagebottom, upsideDownLocally(), 1.0};
        const auto atStart = [this, follower] {
            follower->setHeld(false);
            follower->follow();
            if (engine->scrollspeed() != 0)
                calctime(QStringLiteral("timeleft"));
            emit pageMeasured();
        };
        // A script loaded again after its file changed goes on where the reader was.
        if (const std::optional<double> share = std::exchange(m_reloadShare, std::nullopt))
            wb1->scrollTo(0, scrollposition(*share * promptstate.pagebottom, measured), atStart);
        else if (upsideDownLocally())
            wb1->scrollToBottom(atStart);
        else
            wb1->scrollToTop(atStart);
    });
}

void TForm1::checkForUpdateNotice()
{
    const QString address = wb1->documentUrl().toString();
    if (!address.contains(QLatin1String("newversionp.html")) &&
        !address.contains(QLatin1String("newversionh.html")))
        return;
    Panel5->setEnabled(false);
    Panel2->setEnabled(false);
    // The notice waits for the operator; it opens from the event loop, so that the browser, still
    // busy with the page, is not held up meanwhile.
    QTimer::singleShot(0, this, [] { Dialogs::current().message(i18n(str::NewVersionAvailable)); });
}

void TForm1::setform()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const bool dockBottom = displaymodes.docking == Docking::Bottom;
    const QRect strip =
        stripgeometry(screen->geometry().size(), taskbarpos(screen), dockBottom, m_modesKnown, geometry());
    setGeometry(strip.translated(screen->geometry().topLeft()));
}

void TForm1::flipmarker()
{
    Image1->move(0, 0);
    if (upsideDownLocally())
        Image1->move(0, Panel2->height() - Image1->height());
}

void TForm1::Image2MouseUp()
{
    promptstate.mirroron = !promptstate.mirroron;
    flipmarker();
    reloadwb();
    wb1->focusPage();
}

void TForm1::Image14MouseUp()
{
    promptstate.rotateon = !promptstate.rotateon;
    flipmarker();
    reloadwb();
    wb1->focusPage();
}

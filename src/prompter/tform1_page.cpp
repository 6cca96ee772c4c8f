// The display page of the prompter window: building and loading it (and the output window's
// page), measuring it once loaded, and the mirror and rotate modes that shape both.
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

#include "app/windows.h"
#include "platform/browser.h"
#include "platform/dialogs.h"
#include "platform/radiogroup.h"
#include "platform/toolimage.h"
#include "platform/translation.h"
#include "prompter/outputwindow.h"
#include "prompter/placement.h"
#include "prompter/tform1.h"
#include "queue/tform4.h"
#include "render/page.h"
#include "render/tform7.h"
#include "stringtable.h"

namespace {

enum Target { Local = 0, Remote = 1, Both = 2 };

int optionIndex(RadioGroup *TForm4::*group)
{
    TForm4 *options = windows().Form4;
    return options ? (options->*group)->itemIndex() : 0;
}

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
    return promptstate.mirroron && optionIndex(&TForm4::mtype) != Remote;
}

bool TForm1::upsideDownLocally() const
{
    const int target = optionIndex(&TForm4::rtype);
    return promptstate.rotateon && (target == Local || target == Both);
}

bool TForm1::mirroredRemotely() const
{
    return promptstate.mirroron && optionIndex(&TForm4::mtype) != Local;
}

bool TForm1::upsideDownRemotely() const
{
    return promptstate.rotateon && optionIndex(&TForm4::rtype) != Local;
}

void TForm1::reloadwb()
{
    buildpage(mirroredLocally(), upsideDownLocally());
    m_measuringPage = true;
    wb1->loadPageLines(promptstate.pagelines);
    loadoutputpage();
}

void TForm1::buildpage(bool mirror, bool rotate)
{
    TForm7 *progress = windows().Form7;
    if (progress)
        progress->begin(static_cast<int>(promptstate.specialtable.size()));
    const bool caps = optionIndex(&TForm4::allcaps) == 1;
    promptstate.pagelines = ::buildpage(promptstate.scriptlines, promptstate.specialtable,
                                        PageFont{displayfont.name, displayfont.size}, caps, mirror, rotate,
                                        [progress](int index, int) {
                                            if (progress)
                                                progress->step(index);
                                        });
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
    // With no script page standing to change in place, the page is loaded anew.
    const auto reload = [this, &done] {
        if (done) {
            auto once = std::make_shared<QMetaObject::Connection>();
            *once = connect(this, &TForm1::pageMeasured, this, [once, done] {
                disconnect(*once);
                done();
            });
        }
        reloadwb();
    };
    if (m_measuringPage || promptstate.helpshown || !wb1->isScriptPage() || !wb1->isDocumentComplete()) {
        reload();
        return;
    }
    // No progress window: the page changes under the reader, and nothing else on the screen may.
    const bool caps = optionIndex(&TForm4::allcaps) == 1;
    promptstate.pagelines = ::buildpage(promptstate.scriptlines, promptstate.specialtable,
                                        PageFont{displayfont.name, displayfont.size}, caps, mirroredLocally(),
                                        upsideDownLocally());
    if (outputwindow)
        outputwindow->outputpage->replaceScript(
            withbodytag(promptstate.pagelines, mirroredRemotely(), upsideDownRemotely()), replacedBy);
    const auto replaced = [this, done] {
        promptstate.pagebottom = wb1->scrollBottom();
        followoutput();
        if (done)
            done();
    };
    if (!wb1->replaceScript(promptstate.pagelines, replacedBy, replaced))
        reload();
}

void TForm1::wb1DocumentComplete()
{
    // The browser reports the document while it is still busy with it; the page steps chain on
    // its answers rather than wait for them here.
    checkForUpdateNotice();
    // The output window follows the page again once it stands at the script's start.
    m_measuringPage = true;
    wb1->scrollToBottom([this] {
        promptstate.pagebottom = wb1->scrollPosition();
        const auto atStart = [this] {
            m_measuringPage = false;
            followoutput();
            if (promptstate.scrollspeed != 0)
                calctime(QStringLiteral("timeleft"));
            emit pageMeasured();
        };
        if (promptstate.rotateon && optionIndex(&TForm4::rtype) != Remote)
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
    TForm4 *options = windows().Form4;
    const bool dockBottom = options && options->mainformlocation->itemIndex() != 0;
    const QRect strip = stripgeometry(screen->geometry().size(), taskbarpos(screen), dockBottom,
                                      options != nullptr, geometry());
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

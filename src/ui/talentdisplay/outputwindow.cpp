#include "ui/talentdisplay/outputwindow.h"

#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "core/editlive/readinganchor.h"
#include "ui/browser/browser.h"
#include "ui/browser/pagesplice.h"
#include "core/platform/translation.h"
#include "ui/readingaids/pagenotice.h"
#include "ui/readingaids/readingcueoverlay.h"
#include "stringtable.h"

namespace {
// A normal window's size when there is no second screen: a 16:9 picture of the talent's screen.
constexpr QSize rehearsalSize(800, 450);
// How far, in pixels of the script, a moving output may stand from the prompter's report before
// it is placed again: the reports round the page's position to whole pixels.
constexpr double onCourseTolerance = 1.0;
} // namespace

OutputWindow::OutputWindow(int layoutWidth) : QWidget(nullptr, Qt::Window | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("OutputWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(i18n(str::OutputWindowCaption));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    auto *fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    outputpage = new Browser(this);
    outputpage->setObjectName(QStringLiteral("outputpage"));
    outputpage->setDisplayOnly();
    outputpage->setLayoutWidth(layoutWidth);
    fill->addWidget(outputpage);
    m_cue = new ReadingCueOverlay(outputpage);
    notice = new PageNotice(outputpage);
    clock = new PageNotice(outputpage, PageNotice::Placement::Corner);

    connect(outputpage, &Browser::pageKeyDown, this, &OutputWindow::keyPressed);
    // A new page is placed once it has told how long it is.
    connect(outputpage, &Browser::documentComplete, this, [this] {
        m_placedBottom = -1;
        outputpage->queryPosition();
    });
    connect(outputpage, &Browser::scrollPositionChanged, this, &OutputWindow::pageAnswered);
    connect(outputpage, &Browser::rendererEnded, this, &OutputWindow::restartPage);

    m_blackout = new QWidget(this);
    m_blackout->setObjectName(QStringLiteral("blackout"));
    m_blackout->setPalette(black);
    m_blackout->setAutoFillBackground(true);
    m_blackout->hide();
}

void OutputWindow::setBlackout(bool blackout)
{
    m_blackout->setGeometry(rect());
    m_blackout->raise();
    m_blackout->setVisible(blackout);
}

void OutputWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_blackout->setGeometry(rect());
}

void OutputWindow::setReadingCue(const ReadingLine &line, bool shown, int gutter, bool upsideDown)
{
    outputpage->setGutter(gutter);
    m_cue->setCue(line, shown, upsideDown);
}

void OutputWindow::open(QScreen *screen)
{
    if (screen) {
        setScreen(screen);
        setGeometry(screen->geometry());
        setWindowState(Qt::WindowFullScreen);
    } else {
        resize(rehearsalSize);
    }
    // Not showFullScreen(): it would ask for the focus, which this window does not take.
    show();
    connect(windowHandle(), &QWindow::screenChanged, this,
            [this](QScreen *now) { emit screenChanged(now ? now->name() : QString()); });
    emit screenChanged(this->screen()->name());
}

void OutputWindow::showPage(const QStringList &pagelines, bool upsideDown)
{
    m_upsideDown = upsideDown;
    m_motion = ScriptMotion{};
    m_pagelines = pagelines;
    outputpage->loadPageLines(pagelines);
}

bool OutputWindow::editPage(const PageEdit &edit, double readingShare)
{
    QStringList edited = m_pagelines;
    if (!outputpage->isDocumentComplete() || !applypageedit(edited, edit))
        return false;
    m_pagelines = edited;
    QPointer<OutputWindow> self(this);
    splicepage(*outputpage, edit, edited, readingliney(outputpage->height(), readingShare, m_upsideDown),
               [self](const SpliceResult &result) {
                   if (!self)
                       return;
                   if (!result.done && !self->outputpage->replaceScript(self->m_pagelines, {}))
                       self->outputpage->loadPageLines(self->m_pagelines);
                   self->outputpage->queryPosition();
               });
    return true;
}

void OutputWindow::restartPage()
{
    // The same page again; once loaded it is placed by the motion last followed, which carries
    // it on to where the prompter's page stands now.
    outputpage->loadPageLines(m_pagelines);
    emit pageRestarted();
}

void OutputWindow::follow(double script, double atTime, double scriptRate)
{
    // A page in smooth motion moves by itself. While the prompter's report lies where the
    // output's own motion has brought it, the output is left alone: placing it again would only
    // make it jump back and forth by the reports' whole pixels.
    const ScriptMotion reported{script, atTime, scriptRate};
    if (oncourse(m_motion, reported, onCourseTolerance))
        return;
    m_motion = reported;
    place();
}

double OutputWindow::scriptPosition() const
{
    return scriptposition(outputpage->scrollPosition(), pageNow());
}

ScriptPage OutputWindow::pageNow() const
{
    return ScriptPage{outputpage->scrollBottom(), m_upsideDown, outputpage->pageScale()};
}

void OutputWindow::place()
{
    if (!outputpage->isDocumentComplete())
        return;
    const ScriptPage page = pageNow();
    m_placedBottom = page.bottom;
    m_placedScale = page.scale;
    const double pageRate = m_motion.rate * page.scale * (m_upsideDown ? -1 : 1);
    outputpage->follow(scrollposition(m_motion.script, page), m_motion.time, pageRate);
}

void OutputWindow::pageAnswered()
{
    // A page whose length or scale has changed since it was placed (its window or the
    // prompter's page was resized) is placed again.
    if (outputpage->scrollBottom() != m_placedBottom || outputpage->pageScale() != m_placedScale)
        place();
}

void OutputWindow::setLayoutWidth(int width)
{
    outputpage->setLayoutWidth(width);
}

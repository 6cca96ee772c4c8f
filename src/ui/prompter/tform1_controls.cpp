// The operator's controls of the prompter window: keys and clicks on the page, the toolbar
// images with their press-and-hold repeat, the popup menu and the status panel.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "ui/browser/browser.h"
#include "core/engine/countdown.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "core/platform/translation.h"
#include "ui/prompter/outputfollower.h"
#include "ui/prompter/tform1.h"
#include "ui/prompter/voicefollowing.h"
#include "core/render/scriptfilewatch.h"
#include "stringtable.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"

namespace {
constexpr int statusPanelHeight = 52;
constexpr int firstRepeatMs = 500;
constexpr int laterRepeatMs = 50;
} // namespace

void TForm1::connectControls()
{
    connect(wb1, &Browser::documentComplete, this, [this] { wb1DocumentComplete(); });
    connect(wb1, &Browser::rendererEnded, this, &TForm1::restartPage);
    connect(scriptwatch, &ScriptFileWatch::changed, this, &TForm1::scriptFileChanged);
    connect(scriptwatch, &ScriptFileWatch::vanished, this, &TForm1::scriptFileVanished);
    connect(follower, &OutputFollower::outputPageRestarted, this, &TForm1::noticePageRestarted);
    connect(wb1, &Browser::pageKeyDown, this, &TForm1::promptKey);
    connect(wb1, &Browser::pageMenuRequested, this, &TForm1::showMenuFromKeyboard);
    Panel4->installEventFilter(this);
    connect(wb1, &Browser::pageClicked, this, &TForm1::wb1Click);
    connect(mousedowntimer, &QTimer::timeout, this, &TForm1::mousedowntimerTimer);
    connect(engine, &PromptEngine::stateChanged, this, &TForm1::showRunState);
    connect(engine, &PromptEngine::speedApplied, this, &TForm1::showSpeed);
    connect(engine, &PromptEngine::motionChanged, this, &TForm1::showMotion);
    connect(engine, &PromptEngine::ticked, this, [this] {
        calctime(QStringLiteral("timeleft"));
        calctime(QStringLiteral("timespent"));
    });
    // A new page starts still: a running smooth motion goes on on it once it stands at its start.
    connect(this, &TForm1::pageMeasured, engine, &PromptEngine::updateMotion);
    connect(follower, &OutputFollower::keyPressed, this, [this](int key) {
        if (countdown->isActive())
            cancelcountdown();
        else if (!readingAidKey(key))
            wb1KeyDown(key);
    });
    connect(follower, &OutputFollower::screenChanged, this,
            [this](const QString &name) { outputscreen = name; });
    connect(readouttimer, &QTimer::timeout, this, [this] {
        wb1->queryPosition([this] {
            calctime(QStringLiteral("timeleft"));
            calctime(QStringLiteral("timespent"));
        });
    });

    connect(slidera, &QSlider::valueChanged, this, &TForm1::slideraChange);
    connect(slidera, &StepSlider::mouseUp, this, &TForm1::speedmodMouseUp);
    // While the operator drags the coarse slider, each tick already moves by its value.
    connect(speedmod, &QSlider::valueChanged, engine, &PromptEngine::setCoarse);
    connect(speedmod, &StepSlider::changed, this, &TForm1::speedmodChanged);
    connect(speedmod, &StepSlider::mouseUp, this, &TForm1::speedmodMouseUp);

    const auto showMenu = [this](QWidget *source) {
        connect(source, &QWidget::customContextMenuRequested, this,
                [this, source](const QPoint &at) { JvPopupMenu1->popup(source->mapToGlobal(at)); });
    };
    showMenu(Panel2);
    showMenu(Image1);
    showMenu(Label2);
    connect(Showstatusbar1, &QAction::triggered, this, &TForm1::Showstatusbar1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(OpenSimplescript1, &QAction::triggered, this, &TForm1::OpenSimplescript1Click);
    connect(Options2, &QAction::triggered, this, &TForm1::Options2Click);
    connect(EditScript2, &QAction::triggered, this, &TForm1::EditScript2Click);
    connect(Font2, &QAction::triggered, this, &TForm1::Font2Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
    connect(PrintScript2, &QAction::triggered, this, &TForm1::PrintScript2Click);

    assignToolKeys();
    wb1->setCommandKeys({Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_F5, Qt::Key_Escape, Qt::Key_Period});
    connect(Image4, &ToolImage::mouseDown, this, [this] { startRepeat(1); });
    connect(Image12, &ToolImage::mouseDown, this, [this] { startRepeat(2); });
    connect(Image4, &ToolImage::mouseUp, this, [this] {
        stopRepeat();
        engine->increaseSpeed();
        adjustspeed();
        wb1->focusPage();
    });
    connect(Image12, &ToolImage::mouseUp, this, [this] {
        stopRepeat();
        engine->decreaseSpeed();
        adjustspeed();
        wb1->focusPage();
    });
    connect(Image10, &ToolImage::mouseUp, this, [this] {
        engine->coarseFaster();
        adjustspeed();
        wb1->focusPage();
    });
    connect(Image11, &ToolImage::mouseUp, this, [this] {
        engine->coarseSlower();
        adjustspeed();
        wb1->focusPage();
    });
    connect(Image9, &ToolImage::mouseUp, this, [this] {
        engine->togglePause();
        wb1->focusPage();
    });
    connect(Image8, &ToolImage::mouseUp, this, [this] {
        engine->reverseDirection();
        adjustspeed();
        wb1->focusPage();
    });
    connect(Image7, &ToolImage::mouseUp, this, [this] {
        doreset();
        wb1->focusPage();
    });
    connect(Image6, &ToolImage::mouseUp, this, [this] {
        prevscript();
        wb1->focusPage();
    });
    connect(Image5, &ToolImage::mouseUp, this, [this] {
        nextscript();
        wb1->focusPage();
    });
    connect(Image13, &ToolImage::mouseUp, this, &TForm1::Image13MouseUp);
    connect(Image14, &ToolImage::mouseUp, this, &TForm1::Image14MouseUp);
    connect(Image2, &ToolImage::mouseUp, this, &TForm1::Image2MouseUp);
    connect(Image3, &ToolImage::mouseUp, this, &TForm1::Image3MouseUp);
}

void TForm1::assignToolKeys()
{
    // The letters are the page's own keys (wb1KeyDown). The other commands get keys that are no
    // letters, so that every letter still acts as it always did; the help page lists them all.
    const std::pair<ToolImage *, Qt::Key> keys[] = {
        {Image4, Qt::Key_W}, {Image12, Qt::Key_S},  {Image10, Qt::Key_Plus}, {Image11, Qt::Key_Minus},
        {Image9, Qt::Key_Q}, {Image8, Qt::Key_E},   {Image7, Qt::Key_F},     {Image6, Qt::Key_A},
        {Image5, Qt::Key_D}, {Image13, Qt::Key_F1}, {Image14, Qt::Key_F2},   {Image2, Qt::Key_F3},
        {Image3, Qt::Key_F4}};
    for (const auto &[image, key] : keys)
        image->setShortcut(QKeySequence(key));
}

bool TForm1::clickerKey(int key)
{
    // A presenter's clicker: its two big buttons step through the queue, its start and stop
    // button (F5 and Escape) starts and stops the page, its black-screen button (period) blacks
    // out the talent display. They act as themselves only, unlike the letters.
    switch (key) {
    case Qt::Key_PageDown:
        nextscript();
        return true;
    case Qt::Key_PageUp:
        prevscript();
        return true;
    case Qt::Key_F5:
        engine->resume();
        return true;
    case Qt::Key_Escape:
        engine->pause();
        return true;
    case Qt::Key_Period:
        follower->setBlackout(!follower->isBlackout());
        return true;
    default:
        return false;
    }
}

void TForm1::promptKey(int key)
{
    if (countdown->isActive()) {
        cancelcountdown();
        return;
    }
    if (key == Qt::Key_V) {
        setVoiceFollowing(!voice->isOn());
        return;
    }
    // Any other key is the operator's: it takes the page over from voice following.
    voice->takeOver();
    if (clickerKey(key))
        return;
    if (readingAidKey(key))
        return;
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    if (!letter) {
        for (ToolImage *image : Panel5->findChildren<ToolImage *>()) {
            if (!image->shortcut().isEmpty() && image->shortcut()[0].key() == key) {
                image->press();
                return;
            }
        }
    }
    wb1KeyDown(key);
}

void TForm1::showMenuFromKeyboard()
{
    JvPopupMenu1->popup(Image1->mapToGlobal(Image1->rect().center()));
    JvPopupMenu1->setActiveAction(JvPopupMenu1->actions().constFirst());
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    // Keys pressed anywhere else in the window than on the page (a slider takes the arrows, not
    // the letters) act as on the page, so the keyboard never gets stuck, and Escape takes the
    // focus back to the page. The page's own keys never come here (eventFilter).
    if (event->key() == Qt::Key_Escape)
        wb1->focusPage();
    else if (event->key() == Qt::Key_Menu ||
             (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier))
        showMenuFromKeyboard();
    else
        promptKey(event->key());
}

void TForm1::wb1KeyDown(int key)
{
    if (key == Qt::Key_Q) {
        engine->togglePause();
        return;
    }
    if (key == Qt::Key_W)
        engine->increaseSpeed();
    else if (key == Qt::Key_S)
        engine->decreaseSpeed();
    else if (key == Qt::Key_E)
        engine->reverseDirection();
    // Every other key applies the speed too, so any key resumes a paused display.
    adjustspeed();
    if (key == Qt::Key_A) {
        prevscript();
    } else if (key == Qt::Key_D) {
        nextscript();
    } else if (key == Qt::Key_F) {
        doreset();
        wb1->focusPage();
    }
}

void TForm1::wb1Click(Qt::MouseButton button)
{
    if (countdown->isActive()) {
        cancelcountdown();
        return;
    }
    voice->takeOver();
    if (button == Qt::LeftButton) {
        engine->togglePause();
    } else if (button == Qt::RightButton) {
        engine->reverseDirection();
        adjustspeed();
    }
}

void TForm1::mouseover(int index, ToolImage *image)
{
    image->setPixmap(ImageList1.picture(index, devicePixelRatioF()));
}

void TForm1::startRepeat(int button)
{
    mousedowntimer->setInterval(firstRepeatMs);
    promptstate.holdbutton = button;
    mousedowntimer->start();
}

void TForm1::stopRepeat()
{
    mousedowntimer->stop();
}

void TForm1::mousedowntimerTimer()
{
    if (promptstate.holdbutton == 1)
        engine->increaseSpeed();
    else
        engine->decreaseSpeed();
    adjustspeed();
    mousedowntimer->setInterval(laterRepeatMs);
}

void TForm1::Showstatusbar1Click()
{
    // The action has already flipped its tick when it was triggered.
    const bool show = Showstatusbar1->isChecked();
    statusbar->setVisible(show);
    resize(width(), height() + (show ? statusPanelHeight : -statusPanelHeight));
    wb1->focusPage();
}

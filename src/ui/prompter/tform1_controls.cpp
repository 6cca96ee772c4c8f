// The operator's controls of the prompter window: keys and clicks on the page, the toolbar
// images with their press-and-hold repeat, the popup menu and the status panel. What each key,
// image, menu entry and click does is found in the command map and performed as a command.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "core/commands/commandmap.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/tform1.h"
#include "ui/talentdisplay/outputfollower.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"
#include "ui/voice/voicecontrol.h"

namespace {
constexpr int statusPanelHeight = 52;
constexpr int firstRepeatMs = 500;
constexpr int laterRepeatMs = 50;
} // namespace

void TForm1::connectControls()
{
    connect(wb1, &Browser::documentComplete, this, [this] { wb1DocumentComplete(); });
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
    // A new page is followed by voice from its start.
    connect(this, &TForm1::pageMeasured, m_voice, &VoiceControl::pageChanged);
    // Keys pressed on the talent display act as on the page.
    connect(m_talent->follower(), &OutputFollower::keyPressed, this, &TForm1::promptKey);
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
    for (QAction *entry :
         {OpenSimplescript1, Font2, Options2, EditScript2, PrintScript2, Showstatusbar1, About1, Exit1})
        m_commands->bindMenuEntry(entry);
    createScriptDrop();

    assignToolKeys();
    // The keys a clicker sends are the prompter's, not the page's (which would scroll by them).
    QList<int> clickerKeys;
    for (const CommandBinding &binding : commandbindings())
        if (binding.clickerKey != 0)
            clickerKeys << binding.clickerKey;
    wb1->setCommandKeys(clickerKeys);
    connect(Image4, &ToolImage::mouseDown, this, [this] { startRepeat(1); });
    connect(Image12, &ToolImage::mouseDown, this, [this] { startRepeat(2); });
    for (ToolImage *image : Panel5->findChildren<ToolImage *>()) {
        const CommandBinding *binding = nullptr;
        for (const CommandBinding &candidate : commandbindings())
            if (candidate.toolImage && image->objectName() == QLatin1String(candidate.toolImage))
                binding = &candidate;
        if (!binding)
            continue;
        // A press is the operator's: voice following gives the page up at once.
        if (!binding->keepsVoiceFollowing)
            connect(image, &ToolImage::mouseDown, m_commands, &PrompterCommands::takeOver);
        connect(image, &ToolImage::mouseUp, this, [this, action = binding->action] {
            stopRepeat();
            m_commands->perform(action, CommandSource::Toolbar);
            wb1->focusPage();
        });
    }
}

void TForm1::assignToolKeys()
{
    // The letters are the page's own keys (wb1KeyDown). The other commands get keys that are no
    // letters, so that every letter still acts as it always did; the help page lists them all.
    for (const CommandBinding &binding : commandbindings())
        if (binding.toolImage && binding.key != 0)
            findChild<ToolImage *>(QLatin1String(binding.toolImage))->setShortcut(QKeySequence(binding.key));
}

void TForm1::promptKey(int key)
{
    // A countdown under way takes the key to cancel it.
    if (m_commands->inputGuarded())
        return;
    // A presenter's clicker: its buttons act as themselves only, unlike the letters.
    if (const CommandBinding *clicked = commandforclicker(key)) {
        m_commands->perform(clicked->action, CommandSource::Clicker);
        return;
    }
    const CommandBinding *binding = commandforkey(key);
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    // Any other key is the operator's: it takes the page over from voice following.
    if (!binding || !binding->keepsVoiceFollowing)
        m_commands->takeOver();
    // A toolbar command's key presses its image, so that it is seen to act.
    if (binding && binding->toolImage && !letter) {
        findChild<ToolImage *>(QLatin1String(binding->toolImage))->press();
        return;
    }
    // The page's own letters apply the speed as well (wb1KeyDown); other keys act as themselves.
    if (binding && (!letter || binding->keepsVoiceFollowing)) {
        m_commands->perform(binding->action, CommandSource::Key);
        return;
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
    const CommandBinding *binding = commandforkey(key);
    if (binding && binding->action == RemoteAction::TogglePause) {
        m_commands->perform(binding->action, CommandSource::Key);
        return;
    }
    // A command that changes the speed applies it; every other key applies the speed before it
    // acts, so any key resumes a paused display.
    if (binding && changesspeed(binding->action)) {
        m_commands->perform(binding->action, CommandSource::Key);
        return;
    }
    adjustspeed();
    if (binding)
        m_commands->perform(binding->action, CommandSource::Key);
}

void TForm1::wb1Click(Qt::MouseButton button)
{
    if (m_commands->inputGuarded())
        return;
    m_commands->takeOver();
    if (const CommandBinding *binding = commandforclick(button))
        m_commands->perform(binding->action, CommandSource::Mouse);
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

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>

#include "userflow.h"

// The operator's controls on a running page: the letter keys, clicks on the page, the wheel, the
// toolbar images and the status bar. Speed and direction are read from pictures of the page
// taken a moment apart.
class FlowControls : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void keysSetSpeedDirectionPauseAndReset();
    void clicksOnThePagePauseAndReverse();
    void theWheelMovesThePageByHand();
    void toolbarImagesDoWhatTheKeysDo();
    void holdingTheSpeedImageRepeats();
    void theStatusBarHidesAndComesBack();

private:
    // How many pixels a second the text moves up (negative: down), from two pictures.
    double pixelsPerSecond(int forMs = 1200) const;
    void pressTimes(const QString &key, int times) const;
    void verifyAtRest(const char *what) const;
    // Moves the page some lines on by the wheel, so that it can also run backward for a while.
    void moveIntoTheScript() const;
    void verifyMoving(double atLeast, const char *what) const;
};

namespace {
// The number of the first line of the numbered script that the page shows, or 0.
int firstLineNumber(const QString &text)
{
    const QRegularExpressionMatch line = QRegularExpression(QStringLiteral("line (\\d+)")).match(text);
    return line.hasMatch() ? line.captured(1).toInt() : 0;
}
} // namespace

void FlowControls::initTestCase()
{
    QVERIFY(startSession());
    QVERIFY(startProgram(QStringList{numberedScript(400)}));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("line 1")), QStringLiteral("line 1")));
}

void FlowControls::init()
{
    // Speed and direction carry over from one command to the next: every flow starts afresh,
    // at speed 0 at the script's start.
    if (QTest::currentTestFunction() != QByteArrayLiteral("keysSetSpeedDirectionPauseAndReset"))
        QVERIFY(startProgram(QStringList{numberedScript(400)}));
}

double FlowControls::pixelsPerSecond(int forMs) const
{
    QElapsedTimer clock;
    const QImage before = prompter->page();
    clock.start();
    // The measuring interval: the page's motion is what is looked at.
    QThread::msleep(forMs);
    const QImage after = prompter->page();
    return PrompterWindow::verticalShift(before, after, 80) * 1000.0 / clock.elapsed();
}

void FlowControls::pressTimes(const QString &key, int times) const
{
    prompter->keys(QStringList(qsizetype(times), key));
}

void FlowControls::moveIntoTheScript() const
{
    const QImage before = prompter->page();
    desktop->wheel(prompter->id(), prompter->pageArea().center(), 8);
    waitUntil([this, &before] { return settledPage() != before; });
}

void FlowControls::verifyAtRest(const char *what) const
{
    // At rest is what stays the same for a while: the interval is the measure, not a wait.
    const QImage before = prompter->page();
    QThread::msleep(800);
    const QImage after = prompter->page();
    VERIFY_SCREEN(before == after, after, QString::fromLatin1(what));
}

void FlowControls::verifyMoving(double atLeast, const char *what) const
{
    const double rate = pixelsPerSecond();
    if (atLeast > 0 ? rate < atLeast : rate > atLeast)
        QFAIL(qPrintable(QStringLiteral("%1: the page moves %2 px/s, not at least %3; %4")
                             .arg(QLatin1String(what))
                             .arg(rate)
                             .arg(atLeast)
                             .arg(described(prompter->page(), QStringLiteral("moving")))));
}

void FlowControls::keysSetSpeedDirectionPauseAndReset()
{
    verifyAtRest("paused at the start");
    // W 25 times: speed 250, a pixel every 51 ms.
    pressTimes(QStringLiteral("w"), 25);
    const double fast = pixelsPerSecond();
    const QImage status = prompter->statusLine();
    VERIFY_SCREEN(readsWords(readText(status), QStringLiteral("speed 250")), status,
                  QStringLiteral("status"));
    // S 10 times: speed 150, a pixel every 151 ms.
    pressTimes(QStringLiteral("s"), 10);
    const double slow = pixelsPerSecond(2000);
    QVERIFY2(fast > 12 && slow > 3 && fast > 2 * slow,
             qPrintable(
                 QStringLiteral("at speed 250 the page moved %1 px/s, at 150 %2 px/s").arg(fast).arg(slow)));

    prompter->keys({QStringLiteral("e")});
    verifyMoving(-3, "reversed");
    prompter->keys({QStringLiteral("q")});
    verifyAtRest("paused with Q");
    const QImage paused = prompter->statusLine();
    VERIFY_SCREEN(readsWords(readText(paused), QStringLiteral("paused")), paused, QStringLiteral("status"));
    // E turns the direction and, like every key but Q, lets a paused page run on.
    prompter->keys({QStringLiteral("e")});
    verifyMoving(3, "reversed again");

    prompter->keys({QStringLiteral("f")});
    QImage start;
    const bool atStart = waitUntil([this, &start] {
        start = settledPage();
        return readText(start).startsWith(QStringLiteral("line 1 "));
    });
    VERIFY_SCREEN(atStart, start, QStringLiteral("start"));
    verifyAtRest("reset");
}

void FlowControls::clicksOnThePagePauseAndReverse()
{
    moveIntoTheScript();
    pressTimes(QStringLiteral("w"), 25);
    verifyMoving(10, "running");
    prompter->clickPage(1);
    verifyAtRest("paused by a left click");
    prompter->clickPage(1);
    verifyMoving(10, "resumed by a left click");
    prompter->clickPage(3);
    verifyMoving(-10, "reversed by a right click");
}

void FlowControls::theWheelMovesThePageByHand()
{
    const int before = firstLineNumber(readText(settledPage()));
    desktop->wheel(prompter->id(), prompter->pageArea().center(), 2);
    QImage after;
    const bool moved = waitUntil([this, &after] {
        after = settledPage();
        return firstLineNumber(readText(after)) > 2;
    });
    VERIFY_SCREEN(before == 1 && moved, after, QStringLiteral("after the wheel"));
}

void FlowControls::toolbarImagesDoWhatTheKeysDo()
{
    using Tool = PrompterWindow::Tool;
    moveIntoTheScript();
    for (int click = 0; click < 25; ++click)
        desktop->click(prompter->id(), prompter->toolImage(Tool::IncreaseSpeed));
    desktop->moveMouse(prompter->id(), prompter->pageArea().center());
    verifyMoving(10, "after 25 clicks on Increase Speed");
    prompter->click(Tool::Reverse);
    verifyMoving(-10, "after Reverse Direction");
    prompter->click(Tool::Pause);
    verifyAtRest("after Pause");
    prompter->click(Tool::Pause);
    verifyMoving(-10, "after Pause again");
    prompter->click(Tool::Reset);
    QImage start;
    const bool atStart = waitUntil([this, &start] {
        start = settledPage();
        return readText(start).startsWith(QStringLiteral("line 1 "));
    });
    VERIFY_SCREEN(atStart, start, QStringLiteral("start"));
    verifyAtRest("after Reset");
    // The reset keeps the speed; Decrease Speed takes it down by ten (backward, at the start the
    // page has nowhere to go).
    prompter->click(Tool::DecreaseSpeed);
    const QImage status = prompter->statusLine();
    VERIFY_SCREEN(readsWords(readText(status), QStringLiteral("speed -260")), status,
                  QStringLiteral("status"));
}

void FlowControls::holdingTheSpeedImageRepeats()
{
    desktop->press(prompter->id(), prompter->toolImage(PrompterWindow::Tool::IncreaseSpeed));
    // Held: this is the time the operator holds the button, not a wait.
    QThread::msleep(1500);
    desktop->release();
    desktop->moveMouse(prompter->id(), prompter->pageArea().center());
    // Held for a second and a half, the image has stepped the speed up several times.
    const QImage status = prompter->statusLine();
    const QRegularExpressionMatch speed =
        QRegularExpression(QStringLiteral("speed (\\d+)")).match(readText(status));
    VERIFY_SCREEN(speed.hasMatch() && speed.captured(1).toInt() >= 30, status, QStringLiteral("status"));
}

void FlowControls::theStatusBarHidesAndComesBack()
{
    const QRect window = prompter->geometry();
    const QImage shown = desktop->grab(prompter->id());
    VERIFY_SCREEN(readsWords(prompter->statusText(), QStringLiteral("coarse")), shown,
                  QStringLiteral("shown"));
    prompter->menu(QStringLiteral("s"));
    // Where the status line stood, the page goes on, black with the script's text.
    QImage hidden;
    const bool gone = waitUntil([this, &hidden, &window] {
        hidden = desktop->grab(prompter->id());
        const QImage bottom = hidden.copy(0, window.height() - 52, window.width(), 52);
        return !readsWords(readText(bottom), QStringLiteral("coarse")) && qGray(commonColor(bottom)) < 20;
    });
    VERIFY_SCREEN(gone, hidden, QStringLiteral("hidden"));
    prompter->menu(QStringLiteral("s"));
    const bool back =
        waitUntil([this] { return readsWords(prompter->statusText(), QStringLiteral("coarse")); });
    VERIFY_SCREEN(back, desktop->grab(prompter->id()), QStringLiteral("back"));
}

QTEST_GUILESS_MAIN(FlowControls)
#include "flow_controls.moc"

#include <QThread>

#include "userflow.h"

// The reading aids as the operator uses them: jumps to the script's markers by their keys and by
// name from the menu, jumps by lines, markers hidden from the page, the reading line, the
// countdown, the show clock and a message for the talent. A marker's line shows in
// small dim text that OCR does not read: the lines around it tell where the page stands (a third
// down the small page: two lines above the marker, the rest below).
class FlowReadingAids : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void markersAreJumpedToByKeys();
    void aMarkerIsPickedByNameFromTheMenu();
    void linesForwardAndBack();
    void hiddenMarkersAreStillJumpedTo();
    void theReadingLinePointsAThirdDown();
    void theCountdownRunsIntoTheTake();
    void theShowClockRunsByCommand();
    void aMessageShowsOnTheTalentDisplayUntilDismissed();

private:
    // Waits until the page shows `words` and fails with the screen otherwise.
    void verifyPageShows(const QString &words, const QString &name) const;
    QString markedScript() const;
};

QString FlowReadingAids::markedScript() const
{
    QByteArray text;
    for (int line = 1; line <= 400; ++line) {
        if (line == 150)
            text += "## Weather\r\n";
        else if (line == 300)
            text += "## Sport\r\n";
        else
            text += "Line " + QByteArray::number(line) + "\r\n";
    }
    return writeScript(QStringLiteral("marked.txt"), text);
}

void FlowReadingAids::verifyPageShows(const QString &words, const QString &name) const
{
    const QString text = waitForPageText(words);
    VERIFY_SCREEN(readsWords(text, words), prompter->page(), name);
}

void FlowReadingAids::initTestCase()
{
    QVERIFY(startSession());
    QVERIFY(startProgram(QStringList{markedScript()}));
    verifyPageShows(QStringLiteral("line 1"), QStringLiteral("start"));
}

void FlowReadingAids::markersAreJumpedToByKeys()
{
    prompter->keys({QStringLiteral("F7")});
    verifyPageShows(QStringLiteral("line 148 line 151"), QStringLiteral("next marker"));
    prompter->keys({QStringLiteral("F7")});
    verifyPageShows(QStringLiteral("line 298 line 301"), QStringLiteral("next marker again"));
    prompter->keys({QStringLiteral("F6")});
    verifyPageShows(QStringLiteral("line 148 line 151"), QStringLiteral("previous marker"));
}

void FlowReadingAids::aMarkerIsPickedByNameFromTheMenu()
{
    // Markers, Go to Marker, the second name.
    prompter->menu({QStringLiteral("m"), QStringLiteral("g")});
    QThread::msleep(400);
    const QImage list = desktop->grab();
    VERIFY_SCREEN(readsWords(readText(list), QStringLiteral("weather sport")), list,
                  QStringLiteral("marker list"));
    prompter->keys({QStringLiteral("Down"), QStringLiteral("Return")});
    verifyPageShows(QStringLiteral("line 298 line 301"), QStringLiteral("picked by name"));
}

void FlowReadingAids::linesForwardAndBack()
{
    prompter->keys({QStringLiteral("F6")});
    verifyPageShows(QStringLiteral("line 148 line 151"), QStringLiteral("at weather"));
    // Ten lines on (two presses in quick succession add up), the marker has gone past the top of the
    // small page; ten back, it is there again.
    prompter->keys({QStringLiteral("F11"), QStringLiteral("F11")});
    verifyPageShows(QStringLiteral("line 158 line 163"), QStringLiteral("forward"));
    const QString forward = readText(settledPage());
    VERIFY_SCREEN(!readsWords(forward, QStringLiteral("line 151")), prompter->page(),
                  QStringLiteral("forward"));
    prompter->keys({QStringLiteral("F9"), QStringLiteral("F9")});
    verifyPageShows(QStringLiteral("line 148 line 151"), QStringLiteral("back"));
}

void FlowReadingAids::hiddenMarkersAreStillJumpedTo()
{
    prompter->menu({QStringLiteral("m"), QStringLiteral("h")});
    verifyPageShows(QStringLiteral("line 1"), QStringLiteral("page rebuilt"));
    prompter->keys({QStringLiteral("F7")});
    verifyPageShows(QStringLiteral("line 149 line 151"), QStringLiteral("hidden marker"));
    const QImage page = settledPage();
    VERIFY_SCREEN(!readsWords(readText(page), QStringLiteral("weather")), page,
                  QStringLiteral("hidden marker"));
    // The choice is kept: the next run hides them too.
    stopProgram();
    QVERIFY(startProgram(QStringList{markedScript()}));
    verifyPageShows(QStringLiteral("line 1"), QStringLiteral("restart"));
    prompter->keys({QStringLiteral("F7")});
    verifyPageShows(QStringLiteral("line 149 line 151"), QStringLiteral("hidden after restart"));
    VERIFY_SCREEN(!readsWords(readText(settledPage()), QStringLiteral("weather")), prompter->page(),
                  QStringLiteral("hidden after restart"));
}

namespace {
// Pixels of the yellow the reading line and the countdown are drawn in, within `area` of `image`.
int yellowPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() > 120 && c.blue() < 60)
                ++count;
        }
    return count;
}
} // namespace

void FlowReadingAids::theReadingLinePointsAThirdDown()
{
    const QImage before = settledPage();
    const QRect gutter(0, 0, 40, before.height());
    VERIFY_SCREEN(yellowPixels(before, gutter) == 0, before, QStringLiteral("no reading line"));
    prompter->keys({QStringLiteral("F12")});
    QThread::msleep(800);
    const QImage page = settledPage();
    const int third = page.height() / 3;
    VERIFY_SCREEN(yellowPixels(page, QRect(0, third - 4, 40, 9)) > 20, page, QStringLiteral("reading line"));
    VERIFY_SCREEN(yellowPixels(page, QRect(0, 0, 40, third - 20)) == 0, page, QStringLiteral("reading line"));
    VERIFY_SCREEN(yellowPixels(page, QRect(40, 0, page.width() - 40, page.height())) == 0, page,
                  QStringLiteral("reading line over the text"));
    prompter->keys({QStringLiteral("F12")});
}

void FlowReadingAids::theCountdownRunsIntoTheTake()
{
    // Countdown, count down into a run from the start (five seconds by default).
    prompter->menu({QStringLiteral("n"), QStringLiteral("c")});
    prompter->keys({QStringLiteral("F7")}); // away from the start: runs at once
    QThread::msleep(600);
    prompter->keys({QStringLiteral("w")});
    QThread::msleep(500);
    const QImage running = settledPage();
    VERIFY_SCREEN(yellowPixels(running, running.rect()) == 0, running, QStringLiteral("no countdown inside"));
    prompter->keys({QStringLiteral("f")}); // back to the start, paused
    QThread::msleep(800);
    prompter->keys({QStringLiteral("w")});
    QThread::msleep(700);
    const QImage counting = prompter->page();
    const QRect middle(counting.width() / 3, 0, counting.width() / 3, counting.height());
    VERIFY_SCREEN(yellowPixels(counting, middle) > 300, counting, QStringLiteral("countdown"));
    // After the count the page runs: two pictures a moment apart differ.
    QThread::msleep(5500);
    const QImage first = prompter->page();
    QThread::msleep(1500);
    const QImage later = prompter->page();
    VERIFY_SCREEN(yellowPixels(later, middle) == 0, later, QStringLiteral("countdown over"));
    VERIFY_SCREEN(first != later, later, QStringLiteral("running after the countdown"));
    prompter->keys({QStringLiteral("q")});
    prompter->menu({QStringLiteral("n"), QStringLiteral("c")});
}

void FlowReadingAids::theShowClockRunsByCommand()
{
    QVERIFY(readsWords(prompter->statusText(), QStringLiteral("show 00:00:00")));
    prompter->keys({QStringLiteral("Insert")});
    QThread::msleep(2600);
    const QString text = prompter->statusText();
    QVERIFY2(readsWords(text, QStringLiteral("show 00:00:02")), qPrintable(text));
    prompter->keys({QStringLiteral("Insert"), QStringLiteral("Delete")});
    QThread::msleep(600);
    QVERIFY2(readsWords(prompter->statusText(), QStringLiteral("show 00:00:00")),
             qPrintable(prompter->statusText()));
}

void FlowReadingAids::aMessageShowsOnTheTalentDisplayUntilDismissed()
{
    prompter->keys({QStringLiteral("F4")});
    const quint64 talent = desktop->waitForWindow(QStringLiteral("Talent Display"));
    QVERIFY2(talent, "F4 did not open the talent display");
    // Timing, Message to the Talent.
    prompter->menu({QStringLiteral("t"), QStringLiteral("m")});
    QVERIFY(desktop->waitForWindow(QStringLiteral("Message to the Talent")));
    desktop->type(QStringLiteral("Wrap up"));
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Message to the Talent")));
    QThread::msleep(800);
    // OCR does not read the message's huge letters: they are told by their colour, over the
    // middle of the talent's page.
    const QImage shown = desktop->grab(talent);
    const QRect middle(shown.width() / 4, shown.height() / 6, shown.width() / 2, shown.height() * 2 / 3);
    VERIFY_SCREEN(yellowPixels(shown, middle) > 5000, shown, QStringLiteral("message"));
    // Timing, Dismiss the Message.
    prompter->menu({QStringLiteral("t"), QStringLiteral("d")});
    QThread::msleep(800);
    const QImage gone = desktop->grab(talent);
    VERIFY_SCREEN(yellowPixels(gone, gone.rect()) == 0, gone, QStringLiteral("dismissed"));
    VERIFY_SCREEN(readsWords(readText(gone), QStringLiteral("line 1 line 2")), gone,
                  QStringLiteral("dismissed"));
    prompter->keys({QStringLiteral("F4")});
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Talent Display")));
}

QTEST_GUILESS_MAIN(FlowReadingAids)
#include "flow_readingaids.moc"

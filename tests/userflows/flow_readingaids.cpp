#include <QRegularExpression>
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
    QImage list;
    const bool listed = waitUntil([this, &list] {
        list = desktop->grab();
        return readsWords(readText(list), QStringLiteral("weather sport"));
    });
    VERIFY_SCREEN(listed, list, QStringLiteral("marker list"));
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
    QImage page;
    const bool drawn = waitUntil([this, &page] {
        page = settledPage();
        const int third = page.height() / 3;
        return yellowPixels(page, QRect(0, third - 4, 40, 9)) > 20;
    });
    VERIFY_SCREEN(drawn, page, QStringLiteral("reading line"));
    const int third = page.height() / 3;
    VERIFY_SCREEN(yellowPixels(page, QRect(0, 0, 40, third - 20)) == 0, page, QStringLiteral("reading line"));
    VERIFY_SCREEN(yellowPixels(page, QRect(40, 0, page.width() - 40, page.height())) == 0, page,
                  QStringLiteral("reading line over the text"));
    prompter->keys({QStringLiteral("F12")});
}

void FlowReadingAids::theCountdownRunsIntoTheTake()
{
    // Countdown, count down into a run from the start (five seconds by default).
    prompter->menu({QStringLiteral("n"), QStringLiteral("c")});
    const QImage atStart = settledPage();
    prompter->keys({QStringLiteral("F7")}); // away from the start: runs at once
    waitUntil([this, &atStart] { return settledPage() != atStart; });
    prompter->keys({QStringLiteral("w")});
    // Running inside the script: the page moves, and no countdown is drawn over it.
    QImage running = prompter->page();
    waitUntil([this, &running] {
        const QImage now = prompter->page();
        const bool moved = now != running;
        running = now;
        return moved;
    });
    VERIFY_SCREEN(yellowPixels(running, running.rect()) == 0, running, QStringLiteral("no countdown inside"));
    prompter->keys({QStringLiteral("f")}); // back to the start, paused
    QImage start;
    waitUntil([this, &start] {
        start = settledPage();
        return readText(start).contains(QStringLiteral("line 1"));
    });
    prompter->keys({QStringLiteral("w")});
    QImage counting;
    QRect middle;
    const bool counted = waitUntil([this, &counting, &middle] {
        counting = prompter->page();
        middle = QRect(counting.width() / 3, 0, counting.width() / 3, counting.height());
        return yellowPixels(counting, middle) > 300;
    });
    VERIFY_SCREEN(counted, counting, QStringLiteral("countdown"));
    // After the count (five seconds) the page runs: the digits go and the page moves.
    QImage later;
    const bool over = waitUntil(
        [this, &later, &middle] {
            later = prompter->page();
            return yellowPixels(later, middle) == 0;
        },
        8000);
    VERIFY_SCREEN(over, later, QStringLiteral("countdown over"));
    const bool runs = waitUntil([this, &later] { return prompter->page() != later; });
    VERIFY_SCREEN(runs, later, QStringLiteral("running after the countdown"));
    prompter->keys({QStringLiteral("q")});
    prompter->menu({QStringLiteral("n"), QStringLiteral("c")});
}

void FlowReadingAids::theShowClockRunsByCommand()
{
    QVERIFY(readsWords(prompter->statusText(), QStringLiteral("show 00:00:00")));
    prompter->keys({QStringLiteral("Insert")});
    // Reading the status line takes a while under load, so any second past the first counts:
    // waiting for one exact second can miss it.
    const bool ticking = waitUntil([this] {
        static const QRegularExpression shown(QStringLiteral("show00:00:(\\d\\d)"));
        const QRegularExpressionMatch clock = shown.match(prompter->statusText().remove(QLatin1Char(' ')));
        return clock.hasMatch() && clock.captured(1).toInt() >= 2;
    });
    QVERIFY2(ticking, qPrintable(prompter->statusText()));
    prompter->keys({QStringLiteral("Insert"), QStringLiteral("Delete")});
    const bool reset =
        waitUntil([this] { return readsWords(prompter->statusText(), QStringLiteral("show 00:00:00")); });
    QVERIFY2(reset, qPrintable(prompter->statusText()));
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
    // OCR does not read the message's huge letters: they are told by their colour, over the
    // middle of the talent's page.
    QImage shown;
    const bool told = waitUntil([this, talent, &shown] {
        shown = desktop->grab(talent);
        const QRect middle(shown.width() / 4, shown.height() / 6, shown.width() / 2, shown.height() * 2 / 3);
        return yellowPixels(shown, middle) > 5000;
    });
    VERIFY_SCREEN(told, shown, QStringLiteral("message"));
    // Timing, Dismiss the Message.
    prompter->menu({QStringLiteral("t"), QStringLiteral("d")});
    QImage gone;
    const bool dismissed = waitUntil([this, talent, &gone] {
        gone = desktop->grab(talent);
        return yellowPixels(gone, gone.rect()) == 0;
    });
    VERIFY_SCREEN(dismissed, gone, QStringLiteral("dismissed"));
    VERIFY_SCREEN(readsWords(readText(gone), QStringLiteral("line 1 line 2")), gone,
                  QStringLiteral("dismissed"));
    prompter->keys({QStringLiteral("F4")});
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Talent Display")));
}

QTEST_GUILESS_MAIN(FlowReadingAids)
#include "flow_readingaids.moc"

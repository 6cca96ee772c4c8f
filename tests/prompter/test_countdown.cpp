#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include "ui/browser/browser.h"
#include "core/engine/countdown.h"
#include "core/engine/promptengine.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/readingaids/pagenotice.h"
#include "ui/prompter/tform1.h"
#include "core/engine/showclock.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/toolimage.h"
#include "testsupport/features.h"
#include "ui/readingaids/readingaids.h"
#include "ui/readingaids/showclocks.h"
#include "ui/readingaids/takecountdown.h"

// What is shown big over the pages: the countdown into a run from the script's start, on both
// displays, and cancelled; a message for the talent until it is dismissed; the clocks.
class TestCountdown : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void countsDownBigOnBothDisplaysThenRuns();
    void anyKeyCancelsAndThePageStaysPaused();
    void aRunFromInsideTheScriptStartsAtOnce();
    void aMessageStaysOnTheTalentDisplayUntilDismissed();
    void clocksOnTheTalentDisplay();

private:
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

namespace {

// How many pixels of the notice's colour (yellow) the middle third of `widget` shows.
int noticePixels(QWidget *widget)
{
    runEventsFor(200);
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = image.height() / 6; y < image.height() * 5 / 6; ++y)
        for (int x = image.width() / 3; x < image.width() * 2 / 3; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 180 && c.blue() < 80)
                ++count;
        }
    return count;
}

} // namespace

void TestCountdown::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QStringList script;
    for (int i = 0; i < 300; ++i)
        script << QStringLiteral("Line %1 of the take").arg(i + 1);
    m_form->promptstate.scriptlines = script;
    QVERIFY(reloadAndWait(m_form));
    QVERIFY(!feature<ReadingAids>(m_form).values().countdown);
    named<QAction>(m_form, "CountdownOn1")->trigger();
    // The shortest, three seconds.
    for (QAction *action : named<QMenu>(m_form, "Countdown1")->actions())
        if (action->data().toInt() == 3)
            action->trigger();
    QVERIFY(feature<ReadingAids>(m_form).values().countdown);
    QCOMPARE(feature<ReadingAids>(m_form).values().countdownSeconds, 3);
}

void TestCountdown::cleanupTestCase()
{
    delete m_env;
}

void TestCountdown::init()
{
    m_form->engine->setSpeed(0);
    m_form->dopause();
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollToTop(done); }));
}

void TestCountdown::countsDownBigOnBothDisplaysThenRuns()
{
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    WAIT_VERIFY(m_form->outputwindow()->outputpage->isDocumentComplete());
    QCOMPARE(noticePixels(m_form->wb1), 0);

    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_W);
    QVERIFY(feature<TakeCountdown>(m_form).countdown()->isActive());
    QVERIFY(!m_form->engine->isRunning());
    QCOMPARE(m_form->engine->scrollspeed(), 10); // the speed is set; only the run waits
    QCOMPARE(named<PageNotice>(m_form, "prompternotice")->text(), QStringLiteral("3"));
    QCOMPARE(m_form->outputwindow()->notice->text(), QStringLiteral("3"));
    QVERIFY(noticePixels(m_form->wb1) > 100);
    QVERIFY(noticePixels(m_form->outputwindow()->outputpage) > 1000);
    WAIT_COMPARE(named<PageNotice>(m_form, "prompternotice")->text(), QStringLiteral("2"));
    QSignalSpy finished(feature<TakeCountdown>(m_form).countdown(), &Countdown::finished);
    QVERIFY(finished.wait(4000));
    QVERIFY(m_form->engine->isRunning());
    QCOMPARE(m_form->engine->scrollspeed(), 10);
    QVERIFY(named<PageNotice>(m_form, "prompternotice")->isHidden());
    QVERIFY(m_form->outputwindow()->notice->isHidden());
    QCOMPARE(noticePixels(m_form->outputwindow()->outputpage), 0);
    m_form->closeoutputwindow();
}

void TestCountdown::anyKeyCancelsAndThePageStaysPaused()
{
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_W);
    QVERIFY(feature<TakeCountdown>(m_form).countdown()->isActive());
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_Q);
    QVERIFY(!feature<TakeCountdown>(m_form).countdown()->isActive());
    QVERIFY(!m_form->engine->isRunning());
    QVERIFY(named<PageNotice>(m_form, "prompternotice")->isHidden());
    runEventsFor(500);
    QVERIFY(!m_form->engine->isRunning());
    QCOMPARE(m_form->wb1->estimatedPosition(), 0);
    // A click on the page cancels too.
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_W);
    QVERIFY(feature<TakeCountdown>(m_form).countdown()->isActive());
    m_form->wb1Click(Qt::LeftButton);
    QVERIFY(!feature<TakeCountdown>(m_form).countdown()->isActive());
    QVERIFY(!m_form->engine->isRunning());
}

void TestCountdown::aRunFromInsideTheScriptStartsAtOnce()
{
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollTo(0, 300, done); }));
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_W);
    QVERIFY(!feature<TakeCountdown>(m_form).countdown()->isActive());
    QVERIFY(m_form->engine->isRunning());
}

void TestCountdown::aMessageStaysOnTheTalentDisplayUntilDismissed()
{
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    Browser *talent = m_form->outputwindow()->outputpage;
    WAIT_VERIFY(talent->isDocumentComplete());
    m_env->dialogs.texts.enqueue(QStringLiteral("  Wrap   up  "));
    named<QAction>(m_form, "TalentMessage1")->trigger();
    QCOMPARE(m_env->dialogs.shown.constLast().kind, ScriptedDialogs::Shown::Text);
    QCOMPARE(m_form->outputwindow()->notice->text(), QStringLiteral("Wrap up"));
    QVERIFY(noticePixels(talent) > 1000);
    QCOMPARE(noticePixels(m_form->wb1), 0); // for the talent only
    // A cancelled question changes nothing.
    named<QAction>(m_form, "TalentMessage1")->trigger();
    QCOMPARE(m_form->outputwindow()->notice->text(), QStringLiteral("Wrap up"));
    // Flashing: off and on again within a second.
    named<QAction>(m_form, "FlashTalentMessage1")->trigger();
    QVERIFY(feature<ReadingAids>(m_form).values().flashMessages);
    bool seenOff = false;
    bool seenOn = false;
    for (int i = 0; i < 8 && !(seenOff && seenOn); ++i) {
        const int pixels = noticePixels(talent);
        seenOff = seenOff || pixels == 0;
        seenOn = seenOn || pixels > 1000;
    }
    QVERIFY(seenOff && seenOn);
    named<QAction>(m_form, "FlashTalentMessage1")->trigger();
    // The countdown goes before it, and it comes back after.
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_W);
    QCOMPARE(m_form->outputwindow()->notice->text(), QStringLiteral("3"));
    feature<TakeCountdown>(m_form).cancel();
    QCOMPARE(m_form->outputwindow()->notice->text(), QStringLiteral("Wrap up"));
    named<QAction>(m_form, "ClearTalentMessage1")->trigger();
    QVERIFY(m_form->outputwindow()->notice->isHidden());
    QCOMPARE(noticePixels(talent), 0);
    m_form->closeoutputwindow();
}

void TestCountdown::clocksOnTheTalentDisplay()
{
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    WAIT_VERIFY(m_form->outputwindow()->outputpage->isDocumentComplete());
    feature<ShowClocks>(m_form).reset();
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_Insert);
    QVERIFY(feature<ShowClocks>(m_form).clock().isRunning());
    WAIT_VERIFY(feature<ShowClocks>(m_form).label()->text().startsWith(QLatin1String("Show 00:00:01")));
    QVERIFY(m_form->outputwindow()->clock->isHidden());
    named<QAction>(m_form, "ClocksOnTalent1")->trigger();
    WAIT_VERIFY(m_form->outputwindow()->clock->text().startsWith(QLatin1String("Show 00:00:0")));
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_Insert);
    QVERIFY(!feature<ShowClocks>(m_form).clock().isRunning());
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_Delete);
    WAIT_VERIFY(feature<ShowClocks>(m_form).label()->text().startsWith(QLatin1String("Show 00:00:00")));
    named<QAction>(m_form, "ClocksOnTalent1")->trigger();
    WAIT_VERIFY(m_form->outputwindow()->clock->isHidden());
    m_form->closeoutputwindow();
}

VANTELL_UI_TEST_MAIN(TestCountdown)
#include "test_countdown.moc"

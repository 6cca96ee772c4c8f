#include <QSignalSpy>
#include <QTest>

#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "core/engine/timereadout.h"
#include "fakepage.h"
#include "testsupport/testmain.h"

// The rules of speed, direction, pause, reset, ticks, smooth motion and the read-outs, on a page
// that moves at once.
class TestPromptEngine : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void applyingTheSpeedSetsRunStateIntervalAndDirection_data();
    void applyingTheSpeedSetsRunStateIntervalAndDirection();
    void stepsStopAtTheLimitsButStillApply();
    void reverseAtZeroStaysPaused();
    void resumeRunsWhateverTheSpeed();
    void coarseStepStaysWithinItsRange();
    void settingTheSpeedClampsAndZeroPauses();
    void resetPausesAtTheScriptStartKeepingTheSpeed();
    void ticksMoveInTheirSense_data();
    void ticksMoveInTheirSense();
    void ticksUseTheCoarseStepOfTheMoment();
    void smoothMotionRunsAtTheTickingRate();
    void smoothMotionIsToldBeforeThePageChanges();
    void aPageThatStoppedIsSetMovingAgain();
    void aJumpCarriesOnAtTheSameSpeed();
    void readoutsWorkedCase();
    void readoutsFollowATurnedPage();
    void readoutsAtTheEndsAndBeyond();
    void readoutsCountAtLeastTenMillisecondsATick();
    void signalsTellWhatChanged();

private:
    void run(int speed, int coarse = 1);
    FakePage *m_page = nullptr;
    PromptEngine *m_engine = nullptr;
};

void TestPromptEngine::init()
{
    m_page = new FakePage;
    m_engine = new PromptEngine(*m_page);
}

void TestPromptEngine::cleanup()
{
    delete m_engine;
    delete m_page;
}

void TestPromptEngine::run(int speed, int coarse)
{
    m_engine->setCoarse(coarse);
    m_engine->setSpeed(speed);
}

void TestPromptEngine::applyingTheSpeedSetsRunStateIntervalAndDirection_data()
{
    QTest::addColumn<int>("increases");
    QTest::addColumn<int>("decreases");
    QTest::addColumn<bool>("running");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("forward");
    QTest::newRow("first increase after start") << 1 << 0 << true << 291 << true;
    QTest::newRow("first decrease after start") << 0 << 1 << true << 291 << false;
    QTest::newRow("up and down again") << 1 << 1 << false << 301 << false;
    QTest::newRow("top speed") << 30 << 0 << true << 1 << true;
}

void TestPromptEngine::applyingTheSpeedSetsRunStateIntervalAndDirection()
{
    QFETCH(int, increases);
    QFETCH(int, decreases);
    for (int i = 0; i < increases; ++i)
        m_engine->increaseSpeed();
    for (int i = 0; i < decreases; ++i)
        m_engine->decreaseSpeed();
    QVERIFY(!m_engine->isRunning()); // the steps alone change nothing in force
    m_engine->applySpeed();
    QTEST(m_engine->isRunning(), "running");
    QTEST(m_engine->timer()->interval(), "interval");
    QTEST(m_engine->scrollforward(), "forward");
}

void TestPromptEngine::stepsStopAtTheLimitsButStillApply()
{
    m_engine->setSpeed(295);
    m_engine->increaseSpeed();
    m_engine->applySpeed();
    QCOMPARE(m_engine->scrollspeed(), 300);
    QCOMPARE(m_engine->timer()->interval(), 1);
    m_engine->pause();
    m_engine->increaseSpeed();
    m_engine->applySpeed();
    QCOMPARE(m_engine->scrollspeed(), 300);
    QVERIFY(m_engine->isRunning());

    m_engine->setSpeed(-300);
    m_engine->pause();
    m_engine->decreaseSpeed();
    m_engine->applySpeed();
    QCOMPARE(m_engine->scrollspeed(), -300);
    QVERIFY(m_engine->isRunning());
}

void TestPromptEngine::reverseAtZeroStaysPaused()
{
    m_engine->reverseDirection();
    m_engine->applySpeed();
    QCOMPARE(m_engine->scrollspeed(), 0);
    QVERIFY(!m_engine->isRunning());
    m_engine->setSpeed(40);
    m_engine->reverseDirection();
    m_engine->applySpeed();
    QCOMPARE(m_engine->scrollspeed(), -40);
    QVERIFY(!m_engine->scrollforward());
}

void TestPromptEngine::resumeRunsWhateverTheSpeed()
{
    // At start: paused at speed 0 with the design interval.
    m_engine->resume();
    QVERIFY(m_engine->isRunning());
    QCOMPARE(m_engine->timer()->interval(), 300);
    // Not forward: each tick moves back toward the top.
    m_page->y = 10;
    m_engine->tick(1);
    QCOMPARE(m_page->y, 9);
    m_engine->togglePause();
    QVERIFY(!m_engine->isRunning());
    // A paused display at speed 40 runs again at the next step.
    m_engine->setSpeed(40);
    m_engine->pause();
    m_engine->increaseSpeed();
    m_engine->applySpeed();
    QCOMPARE(m_engine->scrollspeed(), 50);
    QVERIFY(m_engine->isRunning());
}

void TestPromptEngine::coarseStepStaysWithinItsRange()
{
    m_engine->setCoarse(10);
    m_engine->coarseFaster();
    QCOMPARE(m_engine->coarse(), 10);
    m_engine->setCoarse(1);
    m_engine->coarseSlower();
    QCOMPARE(m_engine->coarse(), 1);
    m_engine->setCoarse(0);
    QCOMPARE(m_engine->coarse(), 1);
    m_engine->setCoarse(42);
    QCOMPARE(m_engine->coarse(), 10);
    // At the limit the step still applies the speed: a paused display resumes.
    m_engine->setSpeed(30);
    m_engine->pause();
    m_engine->coarseFaster();
    m_engine->applySpeed();
    QVERIFY(m_engine->isRunning());
}

void TestPromptEngine::settingTheSpeedClampsAndZeroPauses()
{
    m_engine->setSpeed(1000);
    QCOMPARE(m_engine->scrollspeed(), 300);
    QVERIFY(m_engine->isRunning());
    m_engine->setSpeed(-1000);
    QCOMPARE(m_engine->scrollspeed(), -300);
    QVERIFY(!m_engine->scrollforward());
    m_engine->setSpeed(0);
    QVERIFY(!m_engine->isRunning());
    QCOMPARE(m_engine->timer()->interval(), 301);
}

void TestPromptEngine::resetPausesAtTheScriptStartKeepingTheSpeed()
{
    run(70);
    m_page->y = 500;
    m_engine->reset();
    QCOMPARE(m_page->y, 0);
    QVERIFY(!m_engine->isRunning());
    QCOMPARE(m_engine->scrollspeed(), 70);
    // The script starts at the bottom of a page turned upside down.
    m_engine->setUpsideDown(true);
    m_engine->reset();
    QCOMPARE(m_page->y, m_page->bottom);
}

void TestPromptEngine::ticksMoveInTheirSense_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<bool>("upsideDown");
    QTest::addColumn<int>("moved");
    QTest::newRow("forward") << 20 << false << 3;
    QTest::newRow("forward, turned") << 20 << true << -3;
    QTest::newRow("backward") << -20 << false << -3;
    QTest::newRow("backward, turned") << -20 << true << 3;
}

void TestPromptEngine::ticksMoveInTheirSense()
{
    QFETCH(int, speed);
    QFETCH(bool, upsideDown);
    m_engine->setUpsideDown(upsideDown);
    run(speed, 3);
    m_page->y = 100;
    m_engine->tick(1);
    QTEST(m_page->y - 100, "moved");
    // Several ticks that came due at once move as far as the ticks one by one.
    m_engine->tick(4);
    QFETCH(int, moved);
    QCOMPARE(m_page->y - 100, 5 * moved);
}

void TestPromptEngine::ticksUseTheCoarseStepOfTheMoment()
{
    run(100, 2);
    m_engine->tick(1);
    m_engine->setCoarse(7); // a drag of the coarse slider, not ended yet
    m_engine->tick(1);
    QCOMPARE(m_page->y, 9);
}

void TestPromptEngine::smoothMotionRunsAtTheTickingRate()
{
    m_engine->setSmooth(true);
    QCOMPARE(m_page->rate, 0.0); // paused
    run(100, 2);                 // 2 px every 201 ms
    QCOMPARE(m_page->rate, 2 * 1000.0 / 201);
    // The ticks only mark time.
    QSignalSpy ticked(m_engine, &PromptEngine::ticked);
    m_engine->tick(3);
    QCOMPARE(m_page->y, 0);
    QCOMPARE(ticked.count(), 1);
    m_engine->setUpsideDown(true);
    QCOMPARE(m_page->rate, -2 * 1000.0 / 201);
    m_engine->reverseDirection();
    m_engine->applySpeed();
    QCOMPARE(m_page->rate, 2 * 1000.0 / 201);
    m_engine->setCoarse(4);
    QCOMPARE(m_page->rate, 4 * 1000.0 / 201);
    m_engine->pause();
    QCOMPARE(m_page->rate, 0.0);
    m_engine->resume();
    m_engine->setSmooth(false);
    QCOMPARE(m_page->rate, 0.0);
}

void TestPromptEngine::smoothMotionIsToldBeforeThePageChanges()
{
    m_engine->setSmooth(true);
    run(100);
    QList<double> seen;
    connect(m_engine, &PromptEngine::motionChanged, this, [this, &seen](double) { seen << m_page->rate; });
    m_engine->pause();
    QCOMPARE(seen, QList<double>{1000.0 / 201});
    QCOMPARE(m_page->rate, 0.0);
}

void TestPromptEngine::aPageThatStoppedIsSetMovingAgain()
{
    m_engine->setSmooth(true);
    run(200);
    m_page->rate = 0; // a new document starts still
    m_engine->updateMotion();
    QCOMPARE(m_page->rate, 1000.0 / 101);
}

void TestPromptEngine::aJumpCarriesOnAtTheSameSpeed()
{
    m_engine->setSmooth(true);
    run(200);
    m_engine->jumpTo(640);
    QCOMPARE(m_page->y, 640);
    QCOMPARE(m_page->rate, 1000.0 / 101);
    QCOMPARE(m_engine->scrollspeed(), 200);
    QVERIFY(m_engine->isRunning());
    m_engine->setSmooth(false);
    m_engine->jumpTo(5000);
    QCOMPARE(m_page->y, m_page->bottom);
    m_engine->tick(1);
    QCOMPARE(m_page->y, m_page->bottom); // no stop at the end, but no further either
}

void TestPromptEngine::readoutsWorkedCase()
{
    run(10, 2);
    QCOMPARE(clocktext(m_engine->elapsedMs(600, 1000)), QStringLiteral("00:01:27:30"));
    QCOMPARE(clocktext(m_engine->remainingMs(600, 1000)), QStringLiteral("00:00:58:20"));
    // Doubling the coarse step halves both, in whole ticks.
    m_engine->setCoarse(4);
    QCOMPARE(m_engine->elapsedMs(600, 1000), 150 * 291);
    QCOMPARE(m_engine->remainingMs(600, 1000), 100 * 291);
}

void TestPromptEngine::readoutsFollowATurnedPage()
{
    run(10, 2);
    m_engine->setUpsideDown(true);
    QCOMPARE(clocktext(m_engine->elapsedMs(600, 1000)), QStringLiteral("00:00:58:20"));
    QCOMPARE(clocktext(m_engine->remainingMs(600, 1000)), QStringLiteral("00:01:27:30"));
}

void TestPromptEngine::readoutsAtTheEndsAndBeyond()
{
    run(10);
    QCOMPARE(m_engine->elapsedMs(0, 1000), 0);
    QCOMPARE(m_engine->remainingMs(1000, 1000), 0);
    QCOMPARE(m_engine->remainingMs(0, 0), 0); // a page shorter than the window
    // Past the page's bottom (the window grew after the page loaded): a negative remaining time.
    QCOMPARE(clocktext(m_engine->remainingMs(600, 599)), QStringLiteral("00:00:00:-29"));
    // An unreadable position counts as -1.
    QCOMPARE(m_engine->elapsedMs(-1, 1000), -291);
}

void TestPromptEngine::readoutsCountAtLeastTenMillisecondsATick()
{
    run(300);
    QCOMPARE(m_engine->timer()->interval(), 1);
    QCOMPARE(m_engine->elapsedMs(500, 1000), 5000);
    run(292);
    QCOMPARE(m_engine->elapsedMs(500, 1000), 5000);
    run(290);
    QCOMPARE(m_engine->elapsedMs(500, 1000), 5500);
}

void TestPromptEngine::signalsTellWhatChanged()
{
    QSignalSpy state(m_engine, &PromptEngine::stateChanged);
    QSignalSpy applied(m_engine, &PromptEngine::speedApplied);
    m_engine->increaseSpeed();
    QCOMPARE(applied.count(), 0);
    m_engine->applySpeed();
    QCOMPARE(applied.count(), 1);
    QVERIFY(state.count() >= 1);
    state.clear();
    m_engine->pause();
    QVERIFY(state.count() >= 1);
    state.clear();
    m_engine->setCoarse(5);
    QCOMPARE(state.count(), 1);
    QCOMPARE(applied.count(), 1); // the coarse text catches up when the speed is applied
}

VANTELL_CORE_TEST_MAIN(TestPromptEngine)
#include "test_promptengine.moc"

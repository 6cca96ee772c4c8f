#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "core/engine/timereadout.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"

// The scroll engine, the operator's controls and the time read-outs, driven as an operator
// drives them: keys on the page, clicks on the page and on the toolbar images.
class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void firstIncreaseAndDecreaseAfterStart();
    void speedLimitsByStepsAndBySlider();
    void decreasingToZeroPauses();
    void reverseAtZeroStaysPaused();
    void pauseToggleResumesWhateverTheSpeed();
    void speedKeysResumeAPausedDisplay();
    void unboundKeyResumes();
    void resetPausesAtTheStartKeepingTheSpeed();
    void resetWhileUpsideDownGoesToTheBottom();
    void clicksOnThePage();
    void coarseLimitsStillApplyTheSpeed();
    void toolbarImagesAct();
    void shortClickIsOneStepAndHoldRepeats();
    void statusPanelHidesAndShows();
    void coarseSliderStepping();
    void speedSliderSteppingAndEnds();
    void trackClicksStepAndRepeat();
    void ticksMoveTheRealPage();
    void readoutsAfterPageLoad();

private:
    void key(int key);
    void loadLongScript();
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

void TestEngine::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    loadLongScript();
}

void TestEngine::cleanupTestCase()
{
    delete m_env;
}

void TestEngine::init()
{
    // As at start: paused at speed 0, the speed slider at its design value 10, coarse 1.
    m_form->promptstate.rotateon = false;
    changeModes(m_form, [](DisplayModes &modes) { modes.rotateTarget = DisplayTarget::Local; });
    m_form->speedmod->setValue(1);
    m_form->engine->setSpeed(0);
    m_form->dopause();
    {
        const QSignalBlocker quiet(m_form->slidera);
        m_form->slidera->setValue(10);
    }
    m_form->Timer1->setInterval(300);
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollToTop(done); }));
    m_env->dialogs.clear();
}

void TestEngine::loadLongScript()
{
    QStringList script;
    for (int i = 0; i < 400; ++i)
        script << QStringLiteral("Line %1 of a long script for scrolling").arg(i + 1);
    m_form->promptstate.scriptlines = script;
    QSignalSpy complete(m_form, &TForm1::pageMeasured);
    m_form->reloadwb();
    QVERIFY(complete.wait(30000));
    WAIT_VERIFY(m_form->promptstate.pagebottom > 5000);
}

void TestEngine::key(int key)
{
    QWidget *page = m_form->wb1->focusProxy();
    QVERIFY(page);
    QTest::keyClick(page, Qt::Key(key));
}

void TestEngine::firstIncreaseAndDecreaseAfterStart()
{
    QCOMPARE(m_form->slidera->value(), 10);
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    key(Qt::Key_W);
    QCOMPARE(m_form->engine->scrollspeed(), 10);
    QCOMPARE(m_form->slidera->value(), 10);
    QVERIFY(m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Timer1->interval(), 291);
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed 10"));
    init();
    key(Qt::Key_S);
    QCOMPARE(m_form->engine->scrollspeed(), -10);
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed -10"));
    QVERIFY(!m_form->engine->scrollforward());
}

void TestEngine::speedLimitsByStepsAndBySlider()
{
    m_form->slidera->setValue(295); // a drag of the slider
    QCOMPARE(m_form->engine->scrollspeed(), 295);
    key(Qt::Key_W);
    QCOMPARE(m_form->engine->scrollspeed(), 300);
    QCOMPARE(m_form->Timer1->interval(), 1);
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed 300"));
    m_form->dopause();
    key(Qt::Key_W);
    QCOMPARE(m_form->engine->scrollspeed(), 300);
    QVERIFY(m_form->Timer1->isEnabled());

    m_form->slidera->setValue(-300);
    key(Qt::Key_S);
    QCOMPARE(m_form->engine->scrollspeed(), -300);
    QCOMPARE(m_form->slidera->value(), -300);
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed -300"));
}

void TestEngine::decreasingToZeroPauses()
{
    key(Qt::Key_W);
    key(Qt::Key_S);
    QCOMPARE(m_form->engine->scrollspeed(), 0);
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Timer1->interval(), 301);
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
}

void TestEngine::reverseAtZeroStaysPaused()
{
    key(Qt::Key_E);
    QCOMPARE(m_form->engine->scrollspeed(), 0);
    QVERIFY(!m_form->Timer1->isEnabled());
}

void TestEngine::pauseToggleResumesWhateverTheSpeed()
{
    key(Qt::Key_Q);
    QVERIFY(m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed 0"));
    QCOMPARE(m_form->Timer1->interval(), 300);
    key(Qt::Key_Q);
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    // Lower case and upper case act alike.
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_Q, Qt::ShiftModifier);
    QVERIFY(m_form->Timer1->isEnabled());
}

void TestEngine::speedKeysResumeAPausedDisplay()
{
    m_form->slidera->setValue(40);
    m_form->dopause();
    key(Qt::Key_W);
    QCOMPARE(m_form->engine->scrollspeed(), 50);
    QVERIFY(m_form->Timer1->isEnabled());
}

void TestEngine::unboundKeyResumes()
{
    m_form->slidera->setValue(40);
    m_form->speedmod->setValue(4);
    m_form->dopause();
    key(Qt::Key_X);
    QCOMPARE(m_form->engine->scrollspeed(), 40);
    QVERIFY(m_form->Timer1->isEnabled());
    QCOMPARE(m_form->coarselabel->text(), QStringLiteral("Coarse: 4"));
}

void TestEngine::resetPausesAtTheStartKeepingTheSpeed()
{
    m_form->slidera->setValue(300);
    m_form->speedmod->setValue(10);
    WAIT_VERIFY(m_form->wb1->scrollPosition() > 200);
    key(Qt::Key_F);
    WAIT_COMPARE(m_form->wb1->scrollPosition(), 0);
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->engine->scrollspeed(), 300);
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    QVERIFY(m_form->wb1->focusProxy()->hasFocus() || !m_form->isActiveWindow());
}

void TestEngine::resetWhileUpsideDownGoesToTheBottom()
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->Image14MouseUp();
    QVERIFY(measured.wait(30000));
    m_form->slidera->setValue(70);
    key(Qt::Key_F);
    WAIT_COMPARE(m_form->wb1->scrollPosition(), m_form->promptstate.pagebottom);
    QCOMPARE(m_form->engine->scrollspeed(), 70);
    QVERIFY(!m_form->Timer1->isEnabled());
    // With the rotate target Remote the local page is not turned.
    changeModes(m_form, [](DisplayModes &modes) { modes.rotateTarget = DisplayTarget::Remote; });
    key(Qt::Key_F);
    WAIT_COMPARE(m_form->wb1->scrollPosition(), 0);
    m_form->Image14MouseUp();
    QVERIFY(measured.wait(30000));
}

void TestEngine::clicksOnThePage()
{
    m_form->slidera->setValue(40);
    m_form->wb1Click(Qt::RightButton);
    QCOMPARE(m_form->engine->scrollspeed(), -40);
    QVERIFY(m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed -40"));
    m_form->wb1Click(Qt::LeftButton);
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    m_form->wb1Click(Qt::MiddleButton);
    QVERIFY(!m_form->Timer1->isEnabled());
    // A real click on the page's input widget reaches the same handler.
    QTest::mouseClick(m_form->wb1->focusProxy(), Qt::LeftButton, {}, QPoint(50, 50));
    WAIT_VERIFY(m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed -40"));
}

void TestEngine::coarseLimitsStillApplyTheSpeed()
{
    m_form->speedmod->setValue(10);
    m_form->slidera->setValue(30);
    m_form->dopause();
    QTest::mouseClick(m_form->Image10, Qt::LeftButton);
    QCOMPARE(m_form->speedmod->value(), 10);
    QVERIFY(m_form->Timer1->isEnabled());
    m_form->speedmod->setValue(1);
    m_form->dopause();
    QTest::mouseClick(m_form->Image11, Qt::LeftButton);
    QCOMPARE(m_form->speedmod->value(), 1);
    QVERIFY(m_form->Timer1->isEnabled());
    QCOMPARE(m_form->coarselabel->text(), QStringLiteral("Coarse: 1"));
}

void TestEngine::toolbarImagesAct()
{
    m_form->slidera->setValue(20);
    QTest::mouseClick(m_form->Image10, Qt::RightButton); // any button
    QCOMPARE(m_form->speedmod->value(), 2);
    QCOMPARE(m_form->coarselabel->text(), QStringLiteral("Coarse: 2"));
    QTest::mouseClick(m_form->Image9, Qt::LeftButton);
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    QTest::mouseClick(m_form->Image9, Qt::LeftButton);
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed 20"));
    QTest::mouseClick(m_form->Image8, Qt::LeftButton);
    QCOMPARE(m_form->engine->scrollspeed(), -20);
    QTest::mouseClick(m_form->Image7, Qt::LeftButton);
    QVERIFY(!m_form->Timer1->isEnabled());
    WAIT_COMPARE(m_form->wb1->scrollPosition(), 0);
    QTest::mouseClick(m_form->Image12, Qt::LeftButton);
    QCOMPARE(m_form->engine->scrollspeed(), -30);
}

void TestEngine::shortClickIsOneStepAndHoldRepeats()
{
    key(Qt::Key_W);
    QTest::mouseClick(m_form->Image4, Qt::LeftButton);
    QCOMPARE(m_form->engine->scrollspeed(), 20);

    QTest::mousePress(m_form->Image4, Qt::LeftButton);
    QCOMPARE(m_form->promptstate.holdbutton, 1);
    runEventsFor(1000);
    QTest::mouseRelease(m_form->Image4, Qt::LeftButton);
    const int steps = (m_form->engine->scrollspeed() - 20) / 10;
    QVERIFY2(steps >= 6 && steps <= 14, qPrintable(QString::number(steps))); // about a dozen
    QVERIFY(!m_form->mousedowntimer->isActive());

    QTest::mousePress(m_form->Image12, Qt::LeftButton);
    QCOMPARE(m_form->promptstate.holdbutton, 2);
    runEventsFor(100);
    QTest::mouseRelease(m_form->Image12, Qt::LeftButton);
    QCOMPARE(m_form->engine->scrollspeed(), 20 + 10 * steps - 10);
}

void TestEngine::statusPanelHidesAndShows()
{
    const int height = m_form->height();
    m_form->Showstatusbar1->trigger();
    QVERIFY(!m_form->Showstatusbar1->isChecked());
    QVERIFY(m_form->statusbar->isHidden());
    QCOMPARE(m_form->height(), height - 52);
    m_form->Showstatusbar1->trigger();
    QVERIFY(m_form->Showstatusbar1->isChecked());
    QVERIFY(!m_form->statusbar->isHidden());
    QCOMPARE(m_form->height(), height);
}

void TestEngine::coarseSliderStepping()
{
    QSignalSpy changed(m_form->speedmod, &StepSlider::changed);
    QList<int> up;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(m_form->speedmod, Qt::Key_Up);
        up << m_form->speedmod->value();
    }
    QCOMPARE(up, (QList<int>{3, 6, 9, 10, 10}));
    QList<int> down;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(m_form->speedmod, Qt::Key_Down);
        down << m_form->speedmod->value();
    }
    QCOMPARE(down, (QList<int>{6, 3, 1, 1, 1}));
    QCOMPARE(changed.count(), 10);
    // Every change the operator ends applies the speed.
    QCOMPARE(m_form->coarselabel->text(), QStringLiteral("Coarse: 1"));
    QTest::keyClick(m_form->speedmod, Qt::Key_End);
    QCOMPARE(m_form->speedmod->value(), 10);
    QCOMPARE(m_form->coarselabel->text(), QStringLiteral("Coarse: 10"));
    QTest::keyClick(m_form->speedmod, Qt::Key_Down);
    QCOMPARE(m_form->speedmod->value(), 6);
    QTest::keyClick(m_form->speedmod, Qt::Key_Home);
    QCOMPARE(m_form->speedmod->value(), 1);
}

void TestEngine::speedSliderSteppingAndEnds()
{
    m_form->slidera->setValue(15); // halfway: counts as 20
    QTest::keyClick(m_form->slidera, Qt::Key_Up);
    QCOMPARE(m_form->slidera->value(), 30);
    QCOMPARE(m_form->engine->scrollspeed(), 30);
    m_form->slidera->setValue(25); // halfway: counts as 20
    QTest::keyClick(m_form->slidera, Qt::Key_Down);
    QCOMPARE(m_form->slidera->value(), 10);
    QTest::keyClick(m_form->slidera, Qt::Key_End);
    QCOMPARE(m_form->engine->scrollspeed(), 300);
    QTest::keyClick(m_form->slidera, Qt::Key_Home);
    QCOMPARE(m_form->engine->scrollspeed(), -300);
    m_form->slidera->setValue(0);
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
}

void TestEngine::trackClicksStepAndRepeat()
{
    // The thumb sits at the bottom (value 1): a press near the top of the track steps upward,
    // once at once and again every 400 ms while held; the release ends the change.
    QSignalSpy changed(m_form->speedmod, &StepSlider::changed);
    const QPoint nearTop(m_form->speedmod->width() / 2, 2);
    QTest::mousePress(m_form->speedmod, Qt::LeftButton, {}, nearTop);
    QCOMPARE(m_form->speedmod->value(), 3);
    QElapsedTimer held;
    held.start();
    WAIT_COMPARE(m_form->speedmod->value(), 9);
    QVERIFY(held.elapsed() >= 2 * StepSlider::trackRepeatMs - 50);
    QTest::mouseRelease(m_form->speedmod, Qt::LeftButton, {}, nearTop);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_form->coarselabel->text(), QStringLiteral("Coarse: 9"));
    runEventsFor(500);
    QCOMPARE(m_form->speedmod->value(), 9);
}

void TestEngine::ticksMoveTheRealPage()
{
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollTo(0, 100, done); }));
    m_form->speedmod->setValue(3);
    m_form->Timer1Timer(5); // at speed 0 the text does not travel forward: toward the top
    WAIT_COMPARE(m_form->wb1->scrollPosition(), 85);
    m_form->slidera->setValue(300);
    WAIT_VERIFY(m_form->wb1->scrollPosition() > 400);
    m_form->dopause();
}

void TestEngine::readoutsAfterPageLoad()
{
    // After a load with a speed other than 0 the remaining time is the whole script's.
    m_form->slidera->setValue(100);
    m_form->dopause();
    m_form->timeleftlabel->clear();
    m_form->timespentlabel->clear();
    QSignalSpy complete(m_form, &TForm1::pageMeasured);
    m_form->reloadwb();
    QVERIFY(complete.wait(30000));
    WAIT_VERIFY(!m_form->timeleftlabel->text().isEmpty());
    const int ms = m_form->promptstate.pagebottom * 201;
    QCOMPARE(m_form->timeleftlabel->text(), QStringLiteral("Remaining: ") + clocktext(ms));
    QCOMPARE(m_form->timespentlabel->text(), QString());
}

VANTELL_UI_TEST_MAIN(TestEngine)
#include "test_engine.moc"

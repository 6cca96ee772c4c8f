#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "testsupport/eventwait.h"
#include "testsupport/imagecompare.h"
#include "testsupport/scriptplaces.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"
#include "testsupport/features.h"
#include "ui/talentdisplay/talentdisplay.h"

// Dual display on three screens (the prompter on DP-1): the output window for the talent, its
// screen, its page's modes, and its place in the script kept equal to the prompter's.
class TestDualDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void opensFullScreenOnTheNextScreenAndCloses();
    void focusStaysWithThePrompter();
    void positionsStayEqual_data();
    void positionsStayEqual();
    void wheelAndKeysOnThePrompterAreFollowed();
    void smoothMotionIsFollowed();
    void targetsTurnTheirOwnPages_data();
    void targetsTurnTheirOwnPages();
    void resizedPromptersLayoutIsCopied();
    void chosenScreenIsRememberedBetweenRuns();

private:
    void loadScript(const QStringList &script);
    void setModes(bool mirror, bool rotate, int mirrorTarget, int rotateTarget);
    void openOutput();
    void run(int speed, int coarse);
    void runTicks(int ticks);
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

namespace {

QStringList longScript()
{
    QStringList script;
    for (int i = 0; i < 3000; ++i)
        script << QStringLiteral("Line %1 of a long script, read by the talent through the glass").arg(i + 1);
    return script;
}

QStringList shortScript()
{
    QStringList script;
    for (int i = 0; i < 30; ++i)
        script << QStringLiteral("Line %1 of the script, \u00e9t\u00e9 \u2014 good evening").arg(i + 1);
    return script;
}

} // namespace

void TestDualDisplay::initTestCase()
{
    QCOMPARE(QGuiApplication::screens().size(), 3);
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QCOMPARE(m_form->screen()->name(), QStringLiteral("DP-1"));
    loadScript(longScript());
}

void TestDualDisplay::cleanupTestCase()
{
    delete m_env;
}

void TestDualDisplay::init()
{
    m_form->engine->setSpeed(0);
    m_form->dopause();
    m_form->closeoutputwindow();
    changeModes(m_form, [&](DisplayModes &modes) { modes.smoothScrolling = false; });
    m_form->engine->updateMotion();
    if (m_form->promptstate.mirroron || m_form->promptstate.rotateon) {
        setModes(false, false, 0, 0);
        QVERIFY(reloadAndWait(m_form));
    }
}

void TestDualDisplay::loadScript(const QStringList &script)
{
    m_form->promptstate.scriptlines = script;
    QVERIFY(reloadAndWait(m_form));
}

void TestDualDisplay::setModes(bool mirror, bool rotate, int mirrorTarget, int rotateTarget)
{
    m_form->promptstate.mirroron = mirror;
    m_form->promptstate.rotateon = rotate;
    changeModes(m_form, [&](DisplayModes &modes) {
        modes.mirrorTarget = displaytarget(mirrorTarget);
        modes.rotateTarget = displaytarget(rotateTarget);
    });
}

void TestDualDisplay::openOutput()
{
    if (!m_form->outputwindow())
        QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    WAIT_VERIFY(m_form->outputwindow()->outputpage->isDocumentComplete());
}

void TestDualDisplay::run(int speed, int coarse)
{
    m_form->speedmod->setValue(coarse);
    m_form->engine->setSpeed(speed);
    m_form->adjustspeed();
}

void TestDualDisplay::runTicks(int ticks)
{
    int counted = 0;
    const auto counter =
        connect(m_form->Timer1, &TickTimer::timeout, this, [&counted](int due) { counted += due; });
    run(300, 3);
    QVERIFY(runEventsUntil([&] { return counted >= ticks; }, 30000));
    m_form->dopause();
    disconnect(counter);
}

void TestDualDisplay::opensFullScreenOnTheNextScreenAndCloses()
{
    QVERIFY(!m_form->outputwindow());
    openOutput();
    OutputWindow *output = m_form->outputwindow();
    QVERIFY(output->isFullScreen());
    QCOMPARE(output->screen()->name(), QStringLiteral("DP-2"));
    WAIT_COMPARE(output->size(), QSize(1600, 900));
    QCOMPARE(output->windowTitle(), QStringLiteral("Talent Display"));
    QCOMPARE(feature<TalentDisplay>(m_form).screenName(), QStringLiteral("DP-2"));
    // The output lays the page out as wide as the prompter's page and scales it to its own width.
    QCOMPARE(output->outputpage->pageScale(), 1600.0 / m_form->wb1->width());
    const QPointer<OutputWindow> closing = output;
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(!m_form->outputwindow());
    WAIT_VERIFY(!closing);
}

void TestDualDisplay::focusStaysWithThePrompter()
{
    m_form->activateWindow();
    m_form->wb1->focusPage();
    WAIT_COMPARE(QApplication::focusWidget(), m_form->wb1->focusProxy());
    openOutput();
    OutputWindow *output = m_form->outputwindow();
    QVERIFY(output->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    runEventsFor(300); // the page loads and places itself
    QCOMPARE(QApplication::activeWindow(), m_form);
    QCOMPARE(QApplication::focusWidget(), m_form->wb1->focusProxy());
    QCOMPARE(output->outputpage->focusProxy()->focusPolicy(), Qt::NoFocus);
    // The operator's keys go on working, and keys pressed on the output are handed to them.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_W);
    QCOMPARE(m_form->engine->scrollspeed(), 10);
    QTest::keyClick(output->outputpage->focusProxy(), Qt::Key_W);
    QCOMPARE(m_form->engine->scrollspeed(), 20);
    QTest::keyClick(output->outputpage->focusProxy(), Qt::Key_Q);
    QVERIFY(!m_form->Timer1->isEnabled());
    m_form->engine->setSpeed(0);
}

void TestDualDisplay::positionsStayEqual_data()
{
    QTest::addColumn<bool>("rotate");
    QTest::addColumn<int>("rotateTarget");
    QTest::newRow("upright") << false << 0;
    QTest::newRow("turned here") << true << 0;
    QTest::newRow("turned there") << true << 1;
    QTest::newRow("turned on both") << true << 2;
}

void TestDualDisplay::positionsStayEqual()
{
    QFETCH(bool, rotate);
    QFETCH(int, rotateTarget);
    openOutput();
    setModes(true, rotate, 1, rotateTarget);
    QVERIFY(reloadAndWait(m_form));
    QVERIFY(placesAgree(m_form));
    QCOMPARE(prompterPlace(m_form), 0.0);

    runTicks(1000);
    QVERIFY(placesAgree(m_form));
    QVERIFY2(prompterPlace(m_form) > 2500, qPrintable(QString::number(prompterPlace(m_form))));

    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_F); // reset
    WAIT_COMPARE(prompterPlace(m_form), 0.0);
    QVERIFY(placesAgree(m_form));
    const int outputStart = m_form->outputwindow()->outputpage->scrollPosition();
    QCOMPARE(outputStart,
             m_form->upsideDownRemotely() ? m_form->outputwindow()->outputpage->scrollBottom() : 0);

    runTicks(300);
    QVERIFY(placesAgree(m_form));
    QVERIFY(reloadAndWait(m_form)); // a rebuild returns both to the start
    QVERIFY(placesAgree(m_form));
    QCOMPARE(prompterPlace(m_form), 0.0);
}

void TestDualDisplay::wheelAndKeysOnThePrompterAreFollowed()
{
    openOutput();
    QVERIFY(placesAgree(m_form));
    QWidget *page = m_form->wb1->focusProxy();
    const QPointF at(200, 100);
    QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, -360), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(page, &wheel);
    WAIT_VERIFY(prompterPlace(m_form) > 100);
    QVERIFY(placesAgree(m_form));
    const double afterWheel = prompterPlace(m_form);
    // The arrow keys move the page by hand (Page Down is a clicker's command).
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(page, Qt::Key_Down);
    WAIT_VERIFY(prompterPlace(m_form) > afterWheel + 50);
    QVERIFY(placesAgree(m_form));
    QVERIFY(!m_form->Timer1->isEnabled());
}

void TestDualDisplay::smoothMotionIsFollowed()
{
    openOutput();
    setModes(false, true, 0, 1); // turned there only: the pages move in opposite senses
    QVERIFY(reloadAndWait(m_form));
    QVERIFY(placesAgree(m_form));
    changeModes(m_form, [&](DisplayModes &modes) { modes.smoothScrolling = true; });
    run(300, 1); // 1,000 px/s
    QList<double> gaps;
    for (int i = 0; i < 10; ++i) {
        runEventsFor(150);
        QVERIFY(askPosition(m_form->wb1));
        QVERIFY(askPosition(m_form->outputwindow()->outputpage));
        // Where the prompter's page stood when the output answered.
        const double seconds =
            (m_form->outputwindow()->outputpage->positionTime() - m_form->wb1->positionTime()) / 1000;
        gaps << std::abs(outputPlace(m_form) - (prompterPlace(m_form) + 1000 * seconds));
    }
    std::sort(gaps.begin(), gaps.end());
    QVERIFY2(gaps.at(gaps.size() / 2) <= 3, qPrintable(QString::number(gaps.at(gaps.size() / 2))));
    QVERIFY(prompterPlace(m_form) > 800);
    m_form->dopause();
    m_form->engine->updateMotion();
    QVERIFY(placesAgree(m_form, 1.0));
}

void TestDualDisplay::targetsTurnTheirOwnPages_data()
{
    QTest::addColumn<bool>("mirror");
    QTest::addColumn<bool>("rotate");
    QTest::addColumn<int>("mirrorTarget");
    QTest::addColumn<int>("rotateTarget");
    // How each page shows against its plain picture: flipped left to right, upside down.
    QTest::addColumn<bool>("prompterFlipped");
    QTest::addColumn<bool>("prompterUpsideDown");
    QTest::addColumn<bool>("outputFlipped");
    QTest::addColumn<bool>("outputUpsideDown");
    QTest::newRow("mirror here") << true << false << 0 << 0 << true << false << false << false;
    QTest::newRow("mirror there") << true << false << 1 << 0 << false << false << true << false;
    QTest::newRow("mirror on both") << true << false << 2 << 0 << true << false << true << false;
    QTest::newRow("rotate here") << false << true << 0 << 0 << true << true << false << false;
    QTest::newRow("rotate there") << false << true << 0 << 1 << false << false << true << true;
    QTest::newRow("rotate on both") << false << true << 0 << 2 << true << true << true << true;
    QTest::newRow("mirror there, rotate here") << true << true << 1 << 0 << true << true << true << false;
    QTest::newRow("both modes on both") << true << true << 2 << 2 << false << true << false << true;
}

void TestDualDisplay::targetsTurnTheirOwnPages()
{
    QFETCH(bool, mirror);
    QFETCH(bool, rotate);
    QFETCH(int, mirrorTarget);
    QFETCH(int, rotateTarget);
    QFETCH(bool, prompterFlipped);
    QFETCH(bool, prompterUpsideDown);
    QFETCH(bool, outputFlipped);
    QFETCH(bool, outputUpsideDown);
    openOutput();
    loadScript(shortScript());
    QVERIFY(placesAgree(m_form));
    const QImage plainPrompter = settledGrab(m_form->wb1);
    const QImage plainOutput = settledGrab(m_form->outputwindow()->outputpage);
    QVERIFY(brightPixels(plainOutput) > 2000);

    setModes(mirror, rotate, mirrorTarget, rotateTarget);
    QVERIFY(reloadAndWait(m_form));
    QVERIFY(placesAgree(m_form));
    const QImage prompter = settledGrab(m_form->wb1);
    const QImage output = settledGrab(m_form->outputwindow()->outputpage);
    const double prompterOff =
        differingShare(prompter, plainPrompter.mirrored(prompterFlipped, prompterUpsideDown));
    const double outputOff = differingShare(output, plainOutput.mirrored(outputFlipped, outputUpsideDown));
    QVERIFY2(prompterOff < 0.01, qPrintable(QString::number(prompterOff)));
    QVERIFY2(outputOff < 0.01, qPrintable(QString::number(outputOff)));
    // The pictures compared differ where a page is turned: the check can fail.
    if (outputFlipped || outputUpsideDown)
        QVERIFY(differingShare(output, plainOutput) > 0.02);
    if (prompterFlipped || prompterUpsideDown)
        QVERIFY(differingShare(prompter, plainPrompter) > 0.02);
    setModes(false, false, 0, 0);
    loadScript(longScript());
}

void TestDualDisplay::resizedPromptersLayoutIsCopied()
{
    openOutput();
    setModes(false, true, 0, 2);
    QVERIFY(reloadAndWait(m_form));
    runTicks(400);
    QVERIFY(placesAgree(m_form));
    // Hiding the status panel makes the prompter's page taller; narrowing the window makes it
    // break its lines elsewhere: the output copies both and stays at the same place.
    const int width = m_form->width();
    m_form->Showstatusbar1->trigger();
    m_form->resize(width - 300, m_form->height());
    WAIT_COMPARE(m_form->outputwindow()->outputpage->pageScale(), 1600.0 / m_form->wb1->width());
    QVERIFY(placesAgree(m_form));
    m_form->Showstatusbar1->trigger();
    m_form->resize(width, m_form->height());
    QVERIFY(placesAgree(m_form));
}

void TestDualDisplay::chosenScreenIsRememberedBetweenRuns()
{
    openOutput();
    // The operator moves the output to the third screen.
    QScreen *third = QGuiApplication::screens().at(2);
    m_form->outputwindow()->windowHandle()->setScreen(third);
    WAIT_COMPARE(feature<TalentDisplay>(m_form).screenName(), QStringLiteral("HDMI-1"));
    // Closing the prompter closes the output and keeps its screen.
    QPointer<OutputWindow> output = m_form->outputwindow();
    m_form->close();
    WAIT_VERIFY(!output);
    m_env->stop();
    m_form = m_env->start();
    QCOMPARE(feature<TalentDisplay>(m_form).screenName(), QStringLiteral("HDMI-1"));
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    QCOMPARE(m_form->outputwindow()->screen()->name(), QStringLiteral("HDMI-1"));
    QVERIFY(m_form->outputwindow()->isFullScreen());
}

VANTELL_UI_TEST_MAIN(TestDualDisplay)
#include "test_dualdisplay.moc"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "testsupport/eventwait.h"
#include "testsupport/scriptplaces.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"
#include "testsupport/features.h"
#include "ui/talentdisplay/talentdisplay.h"

// The output window with a single screen (eDP-1): a normal window for rehearsal that the
// operator may move, resize and close.
class TestOutputWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void opensAsANormalWindow();
    void resizingKeepsThePlace();
    void closedByItsOwnButtonItOpensAgain();
    void webPagesOnThePrompterAreNotFollowed();

private:
    void openOutput();
    void runTicks(int ticks);
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

void TestOutputWindow::initTestCase()
{
    QCOMPARE(QGuiApplication::screens().size(), 1);
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QStringList script;
    for (int i = 0; i < 2000; ++i)
        script << QStringLiteral("Line %1 of a script rehearsed on one screen").arg(i + 1);
    m_form->promptstate.scriptlines = script;
    QVERIFY(reloadAndWait(m_form));
}

void TestOutputWindow::cleanupTestCase()
{
    delete m_env;
}

void TestOutputWindow::init()
{
    m_form->engine->setSpeed(0);
    m_form->dopause();
}

void TestOutputWindow::openOutput()
{
    if (!m_form->outputwindow())
        QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    WAIT_VERIFY(m_form->outputwindow()->outputpage->isDocumentComplete());
}

void TestOutputWindow::runTicks(int ticks)
{
    int counted = 0;
    const auto counter =
        connect(m_form->Timer1, &TickTimer::timeout, this, [&counted](int due) { counted += due; });
    m_form->speedmod->setValue(2);
    m_form->engine->setSpeed(300);
    m_form->adjustspeed();
    QVERIFY(runEventsUntil([&] { return counted >= ticks; }, 30000));
    m_form->dopause();
    disconnect(counter);
}

void TestOutputWindow::opensAsANormalWindow()
{
    openOutput();
    OutputWindow *output = m_form->outputwindow();
    QVERIFY(!output->isFullScreen());
    QCOMPARE(output->size(), QSize(800, 450));
    QCOMPARE(output->screen()->name(), QStringLiteral("eDP-1"));
    QCOMPARE(feature<TalentDisplay>(m_form).screenName(), QStringLiteral("eDP-1"));
    QVERIFY(output->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QVERIFY(!(output->windowFlags() & Qt::FramelessWindowHint));
    QCOMPARE(output->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(output->outputpage->pageScale(), 800.0 / m_form->wb1->width());
    QVERIFY(placesAgree(m_form));
}

void TestOutputWindow::resizingKeepsThePlace()
{
    openOutput();
    // Turned on the output only: its start lies at its bottom, which moves as it is resized.
    m_form->promptstate.rotateon = true;
    changeModes(m_form, [](DisplayModes &modes) { modes.rotateTarget = DisplayTarget::Remote; });
    QVERIFY(reloadAndWait(m_form));
    runTicks(500);
    QVERIFY(placesAgree(m_form));
    const double place = prompterPlace(m_form);
    QVERIFY(place > 500);
    m_form->outputwindow()->resize(1100, 300);
    WAIT_COMPARE(m_form->outputwindow()->outputpage->pageScale(), 1100.0 / m_form->wb1->width());
    QVERIFY(placesAgree(m_form));
    m_form->outputwindow()->move(200, 100);
    m_form->outputwindow()->resize(640, 700);
    WAIT_COMPARE(m_form->outputwindow()->outputpage->pageScale(), 640.0 / m_form->wb1->width());
    QVERIFY(placesAgree(m_form));
    QCOMPARE(prompterPlace(m_form), place);
    m_form->promptstate.rotateon = false;
    changeModes(m_form, [](DisplayModes &modes) { modes.rotateTarget = DisplayTarget::Local; });
    QVERIFY(reloadAndWait(m_form));
}

void TestOutputWindow::closedByItsOwnButtonItOpensAgain()
{
    openOutput();
    QPointer<OutputWindow> closing = m_form->outputwindow();
    closing->close(); // as the window's close button does
    WAIT_VERIFY(!closing);
    QVERIFY(!m_form->outputwindow());
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    WAIT_VERIFY(m_form->outputwindow()->outputpage->isDocumentComplete());
    QVERIFY(placesAgree(m_form));
}

void TestOutputWindow::webPagesOnThePrompterAreNotFollowed()
{
    openOutput();
    runTicks(200);
    QVERIFY(placesAgree(m_form));
    const int outputAt = m_form->outputwindow()->outputpage->scrollPosition();
    QVERIFY(outputAt > 0);
    // A web page (the help, the start page) on the prompter: the output keeps the script where
    // it was, whatever the web page does.
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->wb1->navigate(QUrl(QStringLiteral("data:text/html,<body style='height:9000px'>help</body>")));
    QVERIFY(measured.wait(30000));
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollTo(0, 4000, done); }));
    runEventsFor(300);
    QVERIFY(askPosition(m_form->outputwindow()->outputpage));
    QCOMPARE(m_form->outputwindow()->outputpage->scrollPosition(), outputAt);
    // Back to the script: both at its start.
    QVERIFY(reloadAndWait(m_form));
    QVERIFY(placesAgree(m_form));
    QCOMPARE(prompterPlace(m_form), 0.0);
}

VANTELL_UI_TEST_MAIN(TestOutputWindow)
#include "test_outputwindow.moc"

#include <csignal>

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/tform1.h"
#include "testsupport/eventwait.h"
#include "testsupport/scriptplaces.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/toolimage.h"

// The browser's process that draws a page is killed (SIGKILL, as the kernel's out-of-memory killer
// does): the page comes back by itself at its place in the script, with the engine running on.
class TestPageRestart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void pausedPageComesBackAtItsPlace();
    void runningPageComesBackRunningAtItsSpeed();
    void keysWorkAgainAfterTheRestart();
    void talentsPageAloneComesBackAtThePromptersPlace();
    void bothPagesComeBackTogether();
    void killedAgainWhileRestartingStillComesBack();
    void aScriptLoadedDuringARestartStaysAtItsStart();

private:
    void moveTo(int position);
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

namespace {

QStringList longScript()
{
    QStringList script;
    for (int i = 0; i < 2000; ++i)
        script << QStringLiteral("Line %1 of the evening's script, read live").arg(i + 1);
    return script;
}

bool killRenderer(Browser *page)
{
    const qint64 pid = page->page()->renderProcessPid();
    return pid > 0 && ::kill(pid_t(pid), SIGKILL) == 0;
}

// The text the page's document holds, asked of the live renderer.
QString pageText(Browser *page)
{
    QString text;
    bool answered = false;
    page->page()->runJavaScript(QStringLiteral("document.body ? document.body.innerText : ''"),
                                QWebEngineScript::ApplicationWorld, [&](const QVariant &value) {
                                    text = value.toString();
                                    answered = true;
                                });
    runEventsUntil([&] { return answered; }, 5000);
    return text;
}

} // namespace

void TestPageRestart::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    m_form->promptstate.scriptlines = longScript();
    QVERIFY(reloadAndWait(m_form));
}

void TestPageRestart::cleanupTestCase()
{
    delete m_env;
}

void TestPageRestart::init()
{
    m_form->engine->setSpeed(0);
    m_form->dopause();
    m_form->closeoutputwindow();
    WAIT_VERIFY(m_form->wb1->isDocumentComplete());
}

void TestPageRestart::moveTo(int position)
{
    QVERIFY(settle([this, position](auto done) { m_form->wb1->scrollTo(0, position, done); }));
    QCOMPARE(m_form->wb1->scrollPosition(), position);
}

void TestPageRestart::pausedPageComesBackAtItsPlace()
{
    moveTo(12000);
    const qint64 oldPid = m_form->wb1->page()->renderProcessPid();
    QSignalSpy restored(m_form, &TForm1::pageRestored);
    QVERIFY(killRenderer(m_form->wb1));
    // How fast is bench_pagerestart's to measure; here only that it comes.
    QVERIFY(runEventsUntil([&] { return !restored.isEmpty(); }, 10000));
    QVERIFY(m_form->wb1->page()->renderProcessPid() != oldPid);
    QVERIFY(askPosition(m_form->wb1));
    QCOMPARE(m_form->wb1->scrollPosition(), 12000);
    QVERIFY(!m_form->engine->isRunning());
    QVERIFY(pageText(m_form->wb1).contains(QLatin1String("Line 1000 of the evening's script")));
    // The operator is told, and the line says the script's name again later.
    QVERIFY(m_form->Label4->text().contains(QLatin1String("restored")));
}

void TestPageRestart::runningPageComesBackRunningAtItsSpeed()
{
    moveTo(4000);
    m_form->speedmod->setValue(2);
    m_form->engine->setSpeed(250);
    m_form->adjustspeed();
    QVERIFY(runEventsUntil([&] { return m_form->wb1->scrollPosition() > 4100; }));
    QSignalSpy restored(m_form, &TForm1::pageRestored);
    QVERIFY(killRenderer(m_form->wb1));
    const int diedAt = m_form->wb1->scrollPosition();
    QVERIFY(runEventsUntil([&] { return !restored.isEmpty(); }, 10000));
    QVERIFY(m_form->engine->isRunning());
    QCOMPARE(m_form->engine->scrollspeed(), 250);
    QCOMPARE(m_form->engine->coarse(), 2);
    // Back where it died, and moving on from there.
    QVERIFY(m_form->wb1->scrollPosition() >= diedAt);
    QVERIFY(m_form->wb1->scrollPosition() < diedAt + 200);
    const int placed = m_form->wb1->scrollPosition();
    QVERIFY(runEventsUntil([&] { return m_form->wb1->scrollPosition() > placed + 50; }));
}

void TestPageRestart::keysWorkAgainAfterTheRestart()
{
    m_form->activateWindow();
    m_form->wb1->focusPage();
    QSignalSpy restored(m_form, &TForm1::pageRestored);
    QVERIFY(killRenderer(m_form->wb1));
    QVERIFY(runEventsUntil([&] { return !restored.isEmpty(); }, 10000));
    QWidget *input = m_form->wb1->focusProxy();
    QVERIFY(input);
    QTest::keyClick(input, Qt::Key_W);
    WAIT_COMPARE(m_form->engine->scrollspeed(), 10);
    QVERIFY(m_form->engine->isRunning());
}

void TestPageRestart::talentsPageAloneComesBackAtThePromptersPlace()
{
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    Browser *output = m_form->outputwindow()->outputpage;
    WAIT_VERIFY(output->isDocumentComplete());
    moveTo(9000);
    QVERIFY(placesAgree(m_form));
    const qint64 prompterPid = m_form->wb1->page()->renderProcessPid();
    QSignalSpy ended(output, &Browser::rendererEnded);
    QVERIFY(killRenderer(output));
    QVERIFY(runEventsUntil([&] { return !ended.isEmpty(); }, 5000));
    QVERIFY(placesAgree(m_form));
    QCOMPARE(m_form->wb1->page()->renderProcessPid(), prompterPid);
    QVERIFY(pageText(output).contains(QLatin1String("Line 1000 of the evening's script")));
    QVERIFY(m_form->Label4->text().contains(QLatin1String("restored")));
}

void TestPageRestart::bothPagesComeBackTogether()
{
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    Browser *output = m_form->outputwindow()->outputpage;
    WAIT_VERIFY(output->isDocumentComplete());
    moveTo(15000);
    QVERIFY(placesAgree(m_form));
    QSignalSpy restored(m_form, &TForm1::pageRestored);
    QVERIFY(killRenderer(m_form->wb1));
    QVERIFY(killRenderer(output));
    QVERIFY(runEventsUntil([&] { return !restored.isEmpty(); }, 10000));
    QVERIFY(placesAgree(m_form));
    QCOMPARE(m_form->wb1->scrollPosition(), 15000);
}

void TestPageRestart::killedAgainWhileRestartingStillComesBack()
{
    moveTo(7000);
    QSignalSpy ended(m_form->wb1, &Browser::rendererEnded);
    QSignalSpy restored(m_form, &TForm1::pageRestored);
    QVERIFY(killRenderer(m_form->wb1));
    QVERIFY(runEventsUntil([&] { return !ended.isEmpty(); }, 5000));
    // The new renderer dies as soon as it is there, before the page has loaded.
    QVERIFY(runEventsUntil([&] { return m_form->wb1->page()->renderProcessPid() > 0; }, 5000));
    if (restored.isEmpty())
        QVERIFY(killRenderer(m_form->wb1));
    QVERIFY(runEventsUntil([&] { return !restored.isEmpty() && m_form->wb1->isDocumentComplete(); }, 10000));
    QVERIFY(askPosition(m_form->wb1));
    QCOMPARE(m_form->wb1->scrollPosition(), 7000);
}

void TestPageRestart::aScriptLoadedDuringARestartStaysAtItsStart()
{
    moveTo(7000);
    QSignalSpy ended(m_form->wb1, &Browser::rendererEnded);
    QVERIFY(killRenderer(m_form->wb1));
    QVERIFY(runEventsUntil([&] { return !ended.isEmpty(); }, 5000));
    // The operator loads another script before the restarted page stands again: the new script
    // starts at its start, and stays there once the restart's patience has run out.
    QStringList next = longScript();
    next.prepend(QStringLiteral("The next script"));
    m_form->promptstate.scriptlines = next;
    QVERIFY(reloadAndWait(m_form));
    QTest::qWait(7000);
    QVERIFY(askPosition(m_form->wb1));
    QCOMPARE(m_form->wb1->scrollPosition(), 0);
    QVERIFY(pageText(m_form->wb1).startsWith(QLatin1String("The next script")));
}

VANTELL_UI_TEST_MAIN(TestPageRestart)
#include "test_pagerestart.moc"

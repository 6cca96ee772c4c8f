#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/stepslider.h"

// Smooth motion: the page moves on every frame at the ticking engine's average rate.
class TestSmooth : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void optionIsOffByDefaultAndAppliedOnOk();
    void movesAtTheTickingRate();
    void pauseHoldsThePageStill();
    void upsideDownAndBackwardMoveUp();
    void movementsByHandAreKept();
    void controlsBehaveAsWithTicks();
    void readoutsFollowThePage();

private:
    void chooseSmooth(bool on);
    double livePosition();
    QVariant evaluate(const QString &script);
    void run(int speed, int coarse);
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

void TestSmooth::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QStringList script;
    for (int i = 0; i < 3000; ++i)
        script << QStringLiteral("Line %1 of a long script").arg(i);
    m_form->promptstate.scriptlines = script;
    QVERIFY(reloadAndWait(m_form));
}

void TestSmooth::cleanupTestCase()
{
    delete m_env;
}

void TestSmooth::init()
{
    m_form->dopause();
    m_form->promptstate.rotateon = false;
    chooseSmooth(true);
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollToTop(done); }));
}

void TestSmooth::chooseSmooth(bool on)
{
    TForm4 *options = windows().Form4;
    QTimer::singleShot(0, options, [options, on] {
        options->smoothscroll->setItemIndex(on ? 1 : 0);
        options->Button1->click();
    });
    m_form->Options2->trigger();
    QCOMPARE(m_form->displaymodes.smoothScrolling, on);
}

double TestSmooth::livePosition()
{
    [this] { QVERIFY(settle([this](auto done) { m_form->wb1->queryPosition(done); })); }();
    return m_form->wb1->scrollPosition();
}

QVariant TestSmooth::evaluate(const QString &script)
{
    QVariant result;
    bool done = false;
    m_form->wb1->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                       [&](const QVariant &value) {
                                           result = value;
                                           done = true;
                                       });
    [&done] { QVERIFY(runEventsUntil([&done] { return done; }, 5000)); }();
    return result;
}

void TestSmooth::run(int speed, int coarse)
{
    m_form->speedmod->setValue(coarse);
    m_form->engine->setSpeed(speed);
    m_form->adjustspeed();
}

void TestSmooth::optionIsOffByDefaultAndAppliedOnOk()
{
    chooseSmooth(false);
    QCOMPARE(windows().Form4->smoothscroll->title(), QStringLiteral("Smooth Scrolling"));
    QCOMPARE(windows().Form4->smoothscroll->items(), (QStringList{"No", "Yes"}));
    // Cancel puts the choice back.
    TForm4 *options = windows().Form4;
    QTimer::singleShot(0, options, [options] {
        options->smoothscroll->setItemIndex(1);
        options->Button2->click();
    });
    m_form->Options2->trigger();
    QVERIFY(!m_form->displaymodes.smoothScrolling);
    QCOMPARE(options->smoothscroll->itemIndex(), 0);
}

void TestSmooth::movesAtTheTickingRate()
{
    // Position and time both as the page sees them, so the answers' delay does not count.
    const auto sample = [this] {
        const QStringList values =
            evaluate(QStringLiteral(
                         "(() => { const t = getComputedStyle(document.documentElement).transform;"
                         "return [document.timeline.currentTime,"
                         " window.scrollY - (t && t !== 'none' ? new DOMMatrix(t).m42 : 0)].join(' '); })()"))
                .toString()
                .split(QLatin1Char(' '));
        return std::pair{values.value(0).toDouble() / 1000, values.value(1).toDouble()};
    };
    run(250, 5); // 5 px every 51 ms: 98 px/s
    runEventsFor(400);
    const auto [startTime, start] = sample();
    runEventsFor(2000);
    const auto [endTime, end] = sample();
    const double expected = 5 * 1000.0 / 51 * (endTime - startTime);
    QVERIFY2(std::abs((end - start) - expected) <= 0.02 * expected,
             qPrintable(QStringLiteral("moved %1, expected %2").arg(end - start).arg(expected)));
    // The slowest speed still moves: fractions of a pixel add up.
    run(10, 1);
    const double slowStart = livePosition();
    runEventsFor(1500);
    QVERIFY(livePosition() > slowStart + 3);
}

void TestSmooth::pauseHoldsThePageStill()
{
    run(300, 3);
    runEventsFor(300);
    QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_Q);
    QVERIFY(!m_form->Timer1->isEnabled());
    runEventsFor(100);
    const double held = livePosition();
    runEventsFor(500);
    QCOMPARE(livePosition(), held);
    QVERIFY(held > 100);
}

void TestSmooth::upsideDownAndBackwardMoveUp()
{
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollTo(0, 5000, done); }));
    run(-300, 1);
    runEventsFor(500);
    const double back = livePosition();
    QVERIFY2(back < 4900 && back > 4000, qPrintable(QString::number(back)));
    m_form->dopause();
    // Upside down here: forward runs up the page.
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->Image14MouseUp();
    QVERIFY(measured.wait(30000));
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollTo(0, 5000, done); }));
    run(300, 1);
    const double start = livePosition();
    runEventsFor(300);
    const double end = livePosition();
    m_form->dopause();
    m_form->Image14MouseUp();
    QVERIFY(measured.wait(30000));
    QVERIFY2(end < start - 100, qPrintable(QStringLiteral("%1 -> %2").arg(start).arg(end)));
}

void TestSmooth::movementsByHandAreKept()
{
    // The operator scrolls by hand (as a wheel would) while the page moves: it goes on from there.
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollTo(0, 1000, done); }));
    run(200, 1); // 1000 / 101 px/s
    runEventsFor(300);
    bool scrolled = false;
    m_form->wb1->page()->runJavaScript(QStringLiteral("window.scrollBy(0, 7000)"),
                                       QWebEngineScript::ApplicationWorld,
                                       [&scrolled](const QVariant &) { scrolled = true; });
    WAIT_VERIFY(scrolled);
    runEventsFor(1000);
    const double position = livePosition();
    QVERIFY2(position > 8005 && position < 8060, qPrintable(QString::number(position)));
}

void TestSmooth::controlsBehaveAsWithTicks()
{
    for (bool smooth : {false, true}) {
        chooseSmooth(smooth);
        m_form->engine->setSpeed(0);
        m_form->dopause();
        QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_W);
        QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed 10"));
        QVERIFY(m_form->Timer1->isEnabled());
        QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_E);
        QCOMPARE(m_form->Label1->text(), QStringLiteral("Speed -10"));
        QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_F);
        QVERIFY(!m_form->Timer1->isEnabled());
        QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
        QCOMPARE(m_form->engine->scrollspeed(), -10);
    }
}

void TestSmooth::readoutsFollowThePage()
{
    run(10, 1); // a tick every 291 ms, yet the read-outs refresh ten times a second
    m_form->timespentlabel->clear();
    QVERIFY(runEventsUntil([this] { return !m_form->timespentlabel->text().isEmpty(); }, 1000));
    QCOMPARE(m_form->readouttimer->interval(), 100);
    QVERIFY(m_form->readouttimer->isActive());
    m_form->dopause();
    QVERIFY(!m_form->readouttimer->isActive());

    // Between the page's reports the read-outs use where it must stand by now: after 2 s at
    // 1,000 px/s the estimate agrees with the page's own answer.
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollToTop(done); }));
    run(300, 1);
    runEventsFor(2000);
    const int estimated = m_form->wb1->estimatedPosition();
    const double estimatedAt = double(QDateTime::currentMSecsSinceEpoch());
    QVERIFY(settle([this](auto done) { m_form->wb1->queryPosition(done); }));
    const int reported = m_form->wb1->scrollPosition();
    QVERIFY2(reported > 1500, qPrintable(QString::number(reported)));
    // The answer stands where the page was when it answered, a little later.
    const double sinceEstimate = m_form->wb1->positionTime() - estimatedAt; // ms at 1 px/ms
    QVERIFY2(std::abs(estimated + sinceEstimate - reported) <= 20,
             qPrintable(QStringLiteral("%1 + %2, %3").arg(estimated).arg(sinceEstimate).arg(reported)));
    m_form->dopause();
}

VANTELL_UI_TEST_MAIN(TestSmooth)
#include "test_smooth.moc"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include "ui/browser/browser.h"
#include "core/engine/markerjump.h"
#include "core/engine/promptengine.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/prompter/tform1.h"
#include "testsupport/eventwait.h"
#include "testsupport/scriptplaces.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/toolimage.h"
#include "testsupport/features.h"
#include "ui/readingaids/markerjumps.h"
#include "ui/readingaids/readingaids.h"

// Markers on the prompter's page and the jumps to them and by lines: where the page comes to
// rest, at what speed it goes on, what the reader sees on arrival, and the talent display with it.
class TestMarkerJumps : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void keysJumpFromMarkerToMarker();
    void arrivalShowsTheMarkerAtTheReadingLine();
    void aRunningJumpKeepsTheSpeedAndTheTalentFollows();
    void pickingByNameFromTheMenu();
    void linesForwardAndBack();
    void aJumpDuringARebuildLandsOnTheRebuiltPage();
    void hiddenMarkersTakeNoRoomAndAreKept();

private:
    PageLayout measure();
    // Runs `jump` and waits until the page rests where it went.
    bool jumpAndRest(const std::function<void()> &jump);
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

namespace {

const QStringList markerNames{QStringLiteral("Opening"), QStringLiteral("Weather"), QStringLiteral("Sport")};
const int markerLines[] = {400, 1200, 2400};

QStringList scriptWithMarkers()
{
    QStringList script;
    for (int i = 0; i < 3000; ++i)
        script << QStringLiteral("Line %1 of the evening news, read through the glass").arg(i + 1);
    for (int m = 0; m < 3; ++m)
        script[markerLines[m]] = QStringLiteral("## ") + markerNames.at(m);
    return script;
}

// The page as drawn, and whether a row of it holds pixels of `kind`.
bool rowHas(const QImage &image, int y, const std::function<bool(QColor)> &kind)
{
    for (int x = 0; x < image.width(); ++x)
        if (kind(image.pixelColor(x, y)))
            return true;
    return false;
}

} // namespace

void TestMarkerJumps::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    m_form->promptstate.scriptlines = scriptWithMarkers();
    QVERIFY(reloadAndWait(m_form));
}

void TestMarkerJumps::cleanupTestCase()
{
    delete m_env;
}

void TestMarkerJumps::init()
{
    m_form->engine->setSpeed(0);
    m_form->dopause();
    m_form->closeoutputwindow();
    QVERIFY(settle([this](auto done) { m_form->wb1->scrollToTop(done); }));
}

PageLayout TestMarkerJumps::measure()
{
    std::optional<PageLayout> measured;
    m_form->wb1->measureLayout([&measured](const PageLayout &layout) { measured = layout; });
    runEventsUntil([&] { return measured.has_value(); }, 10000);
    return measured.value_or(PageLayout{});
}

bool TestMarkerJumps::jumpAndRest(const std::function<void()> &jump)
{
    // The page is measured before the glide starts: the jump is under way once it is told.
    QSignalSpy finished(m_form->engine, &PromptEngine::glideFinished);
    jump();
    return finished.wait(10000) && askPosition(m_form->wb1);
}

void TestMarkerJumps::keysJumpFromMarkerToMarker()
{
    QCOMPARE(feature<MarkerJumps>(m_form).names(), markerNames);
    const PageLayout layout = measure();
    QCOMPARE(layout.markerTops.size(), 3);
    const ReadingView view;
    QWidget *page = m_form->wb1->focusProxy();
    for (int m = 0; m < 3; ++m) {
        QVERIFY(jumpAndRest([page] { QTest::keyClick(page, Qt::Key_F7); }));
        QCOMPARE(m_form->wb1->scrollPosition(), markerposition(layout, m, view));
    }
    // Past the last marker a further jump goes nowhere; the keys do not start the page either.
    QTest::keyClick(page, Qt::Key_F7);
    runEventsFor(300);
    QCOMPARE(m_form->wb1->scrollPosition(), markerposition(layout, 2, view));
    QVERIFY(!m_form->engine->isRunning());
    QVERIFY(jumpAndRest([page] { QTest::keyClick(page, Qt::Key_F6); }));
    QCOMPARE(m_form->wb1->scrollPosition(), markerposition(layout, 1, view));
}

void TestMarkerJumps::arrivalShowsTheMarkerAtTheReadingLine()
{
    QVERIFY(jumpAndRest([this] { feature<MarkerJumps>(m_form).jumpTo(1); }));
    const PageLayout layout = measure();
    const int readingLine = layout.viewHeight / 3;
    const int markerRow = layout.markerTops.at(1) - m_form->wb1->scrollPosition();
    QVERIFY2(std::abs(markerRow - readingLine) <= 1, qPrintable(QString::number(markerRow)));
    runEventsFor(200); // the frame that shows the arrival
    const QImage shown = m_form->wb1->grab().toImage();
    const auto dimmed = [](QColor c) {
        return c.red() > 60 && c.red() < 170 && c.green() > 60 && c.green() < 170;
    };
    const auto white = [](QColor c) { return c.red() > 240 && c.green() > 240 && c.blue() > 240; };
    // The marker's line, in the quieter style, at the reading line: dimmed text and no full white.
    const int middle =
        (layout.markerTops.at(1) + layout.markerBottoms.at(1)) / 2 - m_form->wb1->scrollPosition();
    QVERIFY(rowHas(shown, middle, dimmed));
    QVERIFY(!rowHas(shown, middle, white));
    // The script's text around it, in full white.
    QVERIFY(rowHas(shown, middle + int(layout.lineHeight), white) ||
            rowHas(shown, middle + int(layout.lineHeight) + 2, white));
    QVERIFY(rowHas(shown, middle - int(layout.lineHeight), white) ||
            rowHas(shown, middle - int(layout.lineHeight) - 2, white));
}

void TestMarkerJumps::aRunningJumpKeepsTheSpeedAndTheTalentFollows()
{
    QTest::mouseClick(m_form->Image3, Qt::LeftButton);
    QVERIFY(m_form->outputwindow());
    WAIT_VERIFY(m_form->outputwindow()->outputpage->isDocumentComplete());
    QVERIFY(placesAgree(m_form));
    m_form->engine->setSpeed(200);
    m_form->adjustspeed();
    const double rate = m_form->engine->rate();
    const PageLayout layout = measure();
    const int target = markerposition(layout, 2, ReadingView{});
    QSignalSpy finished(m_form->engine, &PromptEngine::glideFinished);
    feature<MarkerJumps>(m_form).jumpTo(2);
    QVERIFY(finished.wait(5000));
    QVERIFY(askPosition(m_form->wb1));
    const int arrived = m_form->wb1->scrollPosition();
    QVERIFY2(arrived >= target && arrived < target + rate, qPrintable(QString::number(arrived - target)));
    QCOMPARE(m_form->engine->scrollspeed(), 200);
    QVERIFY(m_form->engine->isRunning());
    // It goes on from there.
    WAIT_VERIFY(m_form->wb1->estimatedPosition() > arrived + 20);
    m_form->dopause();
    QVERIFY(placesAgree(m_form));
}

void TestMarkerJumps::pickingByNameFromTheMenu()
{
    emit named<QMenu>(m_form, "GoToMarker1")->aboutToShow();
    const QList<QAction *> entries = named<QMenu>(m_form, "GoToMarker1")->actions();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries.at(1)->text(), markerNames.at(1));
    QVERIFY(jumpAndRest([&] { entries.at(1)->trigger(); }));
    QCOMPARE(m_form->wb1->scrollPosition(), markerposition(measure(), 1, ReadingView{}));
}

void TestMarkerJumps::linesForwardAndBack()
{
    QVERIFY(jumpAndRest([this] { feature<MarkerJumps>(m_form).jumpTo(0); }));
    const int start = m_form->wb1->scrollPosition();
    const PageLayout layout = measure();
    QVERIFY(layout.lineHeight > 10);
    QVERIFY(jumpAndRest([this] { QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_F11); }));
    QCOMPARE(m_form->wb1->scrollPosition(), linesposition(layout, start, 5, ReadingView{}));
    QVERIFY(jumpAndRest([this] { QTest::keyClick(m_form->wb1->focusProxy(), Qt::Key_F9); }));
    QCOMPARE(m_form->wb1->scrollPosition(), start);
}

void TestMarkerJumps::aJumpDuringARebuildLandsOnTheRebuiltPage()
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->reloadwb();
    QVERIFY(!m_form->wb1->isDocumentComplete());
    QVERIFY(jumpAndRest([this] { feature<MarkerJumps>(m_form).jumpTo(1); }));
    QVERIFY(!measured.isEmpty());
    QCOMPARE(m_form->wb1->scrollPosition(), markerposition(measure(), 1, ReadingView{}));
}

void TestMarkerJumps::hiddenMarkersTakeNoRoomAndAreKept()
{
    const int shownBottom = m_form->wb1->scrollBottom();
    const double line = measure().lineHeight;
    named<QAction>(m_form, "HideMarkers1")->trigger();
    QVERIFY(feature<ReadingAids>(m_form).values().hideMarkers);
    WAIT_VERIFY(m_form->wb1->isDocumentComplete());
    QVERIFY(reloadAndWait(m_form));
    // Shown, each of the three took a line of smaller text.
    QVERIFY2(m_form->wb1->scrollBottom() <= shownBottom - 3 * 0.5 * line,
             qPrintable(QStringLiteral("%1 %2").arg(m_form->wb1->scrollBottom()).arg(shownBottom)));
    // Still jumped to, by name too.
    QVERIFY(jumpAndRest([this] { feature<MarkerJumps>(m_form).jumpTo(2); }));
    QCOMPARE(m_form->wb1->scrollPosition(), markerposition(measure(), 2, ReadingView{}));
    // Kept for the next run.
    m_form->close();
    m_env->stop();
    m_form = m_env->start();
    QVERIFY(feature<ReadingAids>(m_form).values().hideMarkers);
    QVERIFY(named<QAction>(m_form, "HideMarkers1")->isChecked());
}

VANTELL_UI_TEST_MAIN(TestMarkerJumps)
#include "test_markerjumps.moc"

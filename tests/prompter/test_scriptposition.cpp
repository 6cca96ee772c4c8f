#include "core/prompter/scriptposition.h"
#include "testsupport/testmain.h"

// The script position: the same place in the script for pages upright or upside down, drawn at
// the prompter's size or scaled.
class TestScriptPosition : public QObject {
    Q_OBJECT
private slots:
    void uprightPageCountsFromItsTop();
    void upsideDownPageCountsFromItsBottom();
    void scaledPageMovesScaledPixels();
    void positionsCarryOverBetweenPages_data();
    void positionsCarryOverBetweenPages();
    void placesBeyondThePageStopAtItsEnds();
    void aMovingPageIsLeftAloneWhileOnCourse();
};

void TestScriptPosition::uprightPageCountsFromItsTop()
{
    const ScriptPage page{5000, false, 1.0};
    QCOMPARE(scriptposition(0, page), 0.0);
    QCOMPARE(scriptposition(1234, page), 1234.0);
    QCOMPARE(scrollposition(1234, page), 1234);
}

void TestScriptPosition::upsideDownPageCountsFromItsBottom()
{
    const ScriptPage page{5000, true, 1.0};
    QCOMPARE(scriptposition(5000, page), 0.0); // the start lies at the bottom
    QCOMPARE(scriptposition(4000, page), 1000.0);
    QCOMPARE(scriptposition(0, page), 5000.0);
    QCOMPARE(scrollposition(0, page), 5000);
    QCOMPARE(scrollposition(1000, page), 4000);
}

void TestScriptPosition::scaledPageMovesScaledPixels()
{
    const ScriptPage upright{9000, false, 1.5};
    QCOMPARE(scrollposition(100, upright), 150);
    QCOMPARE(scriptposition(150, upright), 100.0);
    // Half pixels round to the nearer whole one.
    QCOMPARE(scrollposition(101, upright), 152);
    QCOMPARE(scrollposition(1, ScriptPage{9000, false, 1.25}), 1);
    const ScriptPage turned{9000, true, 1.5};
    QCOMPARE(scrollposition(100, turned), 8850);
    QCOMPARE(scriptposition(8850, turned), 100.0);
}

void TestScriptPosition::positionsCarryOverBetweenPages_data()
{
    QTest::addColumn<bool>("prompterTurned");
    QTest::addColumn<bool>("outputTurned");
    QTest::addColumn<double>("scale");
    for (bool prompterTurned : {false, true})
        for (bool outputTurned : {false, true})
            for (double scale : {1.0, 1.4222, 0.75})
                QTest::addRow("prompter %s, output %s, scale %g", prompterTurned ? "turned" : "upright",
                              outputTurned ? "turned" : "upright", scale)
                    << prompterTurned << outputTurned << scale;
}

void TestScriptPosition::positionsCarryOverBetweenPages()
{
    // Each page scrolls in its own sense; both show the same place in the script, to the pixel of
    // the prompter's page however the output is scaled.
    QFETCH(bool, prompterTurned);
    QFETCH(bool, outputTurned);
    QFETCH(double, scale);
    const ScriptPage prompter{63578, prompterTurned, 1.0};
    const ScriptPage output{static_cast<int>(63828 * scale) - 720, outputTurned, scale};
    for (int script : {0, 1, 2, 3, 777, 20000, 40000}) {
        const int prompterScroll = scrollposition(script, prompter);
        const double place = scriptposition(prompterScroll, prompter);
        QCOMPARE(place, double(script));
        const int outputScroll = scrollposition(place, output);
        QVERIFY2(std::abs(scriptposition(outputScroll, output) - place) <= 0.5 / scale,
                 qPrintable(QString::number(scriptposition(outputScroll, output))));
    }
}

void TestScriptPosition::placesBeyondThePageStopAtItsEnds()
{
    const ScriptPage upright{3000, false, 1.0};
    QCOMPARE(scrollposition(3500, upright), 3000);
    QCOMPARE(scrollposition(-20, upright), 0);
    const ScriptPage turned{3000, true, 2.0};
    QCOMPARE(scrollposition(2000, turned), 0);
    QCOMPARE(scrollposition(-5, turned), 3000);
    // A page shorter than its view cannot scroll at all.
    QCOMPARE(scrollposition(50, ScriptPage{0, true, 1.0}), 0);
    QCOMPARE(scrollposition(50, ScriptPage{-1, false, 1.0}), 0);
}

void TestScriptPosition::aMovingPageIsLeftAloneWhileOnCourse()
{
    // Placed at 1,000 px moving 300 px/s at t = 10 s: at t = 12.5 s it stands at 1,750.
    const ScriptMotion placed{1000, 10000, 300};
    QVERIFY(oncourse(placed, ScriptMotion{1750, 12500, 300}, 1.0));
    QVERIFY(oncourse(placed, ScriptMotion{1749, 12500, 300}, 1.0));  // reports round to whole pixels
    QVERIFY(!oncourse(placed, ScriptMotion{1752, 12500, 300}, 1.0)); // moved by a wheel or a key
    QVERIFY(!oncourse(placed, ScriptMotion{1750, 12500, 310}, 1.0)); // a new speed
    // Backwards, as on a reversed run.
    QVERIFY(oncourse(ScriptMotion{1000, 0, -200}, ScriptMotion{800, 1000, -200}, 1.0));
    // Pages at rest are placed every time: a tick's step is a new place.
    QVERIFY(!oncourse(ScriptMotion{1000, 0, 0}, ScriptMotion{1000, 500, 0}, 1.0));
    // A page never placed (a new page) is placed on the first report of a motion.
    QVERIFY(!oncourse(ScriptMotion{}, ScriptMotion{0, 100, 300}, 1.0));
}

VANTELL_CORE_TEST_MAIN(TestScriptPosition)
#include "test_scriptposition.moc"

#include "core/engine/displaymodes.h"
#include "testsupport/testmain.h"

// Which displays the mirror and rotate toggles turn, by their targets.
class TestDisplayModes : public QObject {
    Q_OBJECT
private slots:
    void targetsChooseTheDisplays_data();
    void targetsChooseTheDisplays();
    void noChoiceCountsAsLocal();
};

void TestDisplayModes::targetsChooseTheDisplays_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("local");
    QTest::addColumn<bool>("remote");
    QTest::newRow("Local") << 0 << true << false;
    QTest::newRow("Remote") << 1 << false << true;
    QTest::newRow("Both") << 2 << true << true;
}

void TestDisplayModes::targetsChooseTheDisplays()
{
    QFETCH(int, target);
    DisplayModes modes;
    modes.mirrorTarget = displaytarget(target);
    modes.rotateTarget = displaytarget(target);
    QTEST(modes.mirroredLocally(true), "local");
    QTEST(modes.upsideDownLocally(true), "local");
    QTEST(modes.mirroredRemotely(true), "remote");
    QTEST(modes.upsideDownRemotely(true), "remote");
    // With the toggles off nothing is turned anywhere.
    QVERIFY(!modes.mirroredLocally(false) && !modes.mirroredRemotely(false));
    QVERIFY(!modes.upsideDownLocally(false) && !modes.upsideDownRemotely(false));
}

void TestDisplayModes::noChoiceCountsAsLocal()
{
    QCOMPARE(displaytarget(-1), DisplayTarget::Local);
    QCOMPARE(displaytarget(7), DisplayTarget::Local);
    DisplayModes modes;
    modes.rotateTarget = displaytarget(-1);
    // Both readings of "upside down here" agree for every choice, none included.
    QVERIFY(modes.upsideDownLocally(true));
}

VANTELL_CORE_TEST_MAIN(TestDisplayModes)
#include "test_displaymodes.moc"

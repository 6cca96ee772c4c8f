#include "core/engine/pagemotion.h"
#include "testsupport/testmain.h"

// Where a page in smooth motion stands between its reports.
class TestPageMotion : public QObject {
    Q_OBJECT
private slots:
    void movesOnAtItsRate();
    void stopsAtItsEnds();
    void staysWhereItWasWithoutAMotionOrAReport();
};

void TestPageMotion::movesOnAtItsRate()
{
    QCOMPARE(movedposition(1000, 50000, 300, 52500, 90000), 1750);
    QCOMPARE(movedposition(1000, 50000, -200, 51000, 90000), 800); // a reversed run
    QCOMPARE(movedposition(1000, 50000, 3.4, 50500, 90000), 1002); // 1.7 px, to the nearer pixel
    // A clock read just before the report's frame does not move the page back.
    QCOMPARE(movedposition(1000, 50000, 300, 49990, 90000), 1000);
}

void TestPageMotion::stopsAtItsEnds()
{
    QCOMPARE(movedposition(89900, 50000, 1000, 51000, 90000), 90000);
    QCOMPARE(movedposition(100, 50000, -1000, 51000, 90000), 0);
}

void TestPageMotion::staysWhereItWasWithoutAMotionOrAReport()
{
    QCOMPARE(movedposition(1234, 50000, 0, 90000, 90000), 1234);
    QCOMPARE(movedposition(1234, 0, 300, 90000, 90000), 1234);  // never reported
    QCOMPARE(movedposition(1234, 50000, 300, 90000, -1), 1234); // its end not known yet
}

VANTELL_CORE_TEST_MAIN(TestPageMotion)
#include "test_pagemotion.moc"

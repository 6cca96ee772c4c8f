#include <QTest>

#include "core/engine/readingestimate.h"
#include "core/engine/showclock.h"
#include "testsupport/testmain.h"

// The show clock on a clock the test turns, reading-time estimates on known texts, and the end
// forecast.
class TestTiming : public QObject {
    Q_OBJECT
private slots:
    void showClockCountsOnlyWhileRunning();
    void resetKeepsTheRunState();
    void aClockSetGoesOnFromThere();
    void anHourIsAnHour();
    void steadyClockByDefault();
    void wordsOfKnownTexts_data();
    void wordsOfKnownTexts();
    void readingTimeAtAPace();
    void readingTimesAsTheQueueShowsThem();
    void forecastOnlyWhenSteady();
};

void TestTiming::showClockCountsOnlyWhileRunning()
{
    qint64 now = 5000;
    ShowClock clock([&now] { return now; });
    QCOMPARE(clock.elapsedMs(), 0);
    now += 1000;
    QCOMPARE(clock.elapsedMs(), 0); // not started
    clock.start();
    now += 1500;
    QCOMPARE(clock.elapsedMs(), 1500);
    clock.start(); // already running: no new start
    now += 500;
    QCOMPARE(clock.elapsedMs(), 2000);
    clock.stop();
    now += 10000;
    QCOMPARE(clock.elapsedMs(), 2000);
    QVERIFY(!clock.isRunning());
    clock.start();
    now += 250;
    QCOMPARE(clock.elapsedMs(), 2250);
}

void TestTiming::resetKeepsTheRunState()
{
    qint64 now = 0;
    ShowClock clock([&now] { return now; });
    clock.start();
    now += 4000;
    clock.reset();
    QCOMPARE(clock.elapsedMs(), 0);
    QVERIFY(clock.isRunning());
    now += 300;
    QCOMPARE(clock.elapsedMs(), 300);
    clock.stop();
    clock.reset();
    now += 300;
    QCOMPARE(clock.elapsedMs(), 0);
    QVERIFY(!clock.isRunning());
}

void TestTiming::aClockSetGoesOnFromThere()
{
    // As a standby sets it from its prompter's: from the time told, running or not.
    qint64 now = 1000;
    ShowClock clock([&now] { return now; });
    clock.start();
    now += 9000;
    clock.set(60000, true);
    now += 400;
    QCOMPARE(clock.elapsedMs(), 60400);
    clock.set(70000, false);
    now += 400;
    QCOMPARE(clock.elapsedMs(), 70000);
    QVERIFY(!clock.isRunning());
    // Started again, it counts on from the time set.
    clock.start();
    now += 100;
    QCOMPARE(clock.elapsedMs(), 70100);
}

void TestTiming::anHourIsAnHour()
{
    // Read every 16 ms (a display frame) for an hour, with reads coming late now and then: the
    // time shown is read, never summed, so nothing is lost or gained.
    qint64 now = 0;
    ShowClock clock([&now] { return now; });
    clock.start();
    for (int frame = 0; now < 3600 * 1000; ++frame) {
        now += frame % 97 == 0 ? 250 : 16;
        QCOMPARE(clock.elapsedMs(), now);
    }
}

void TestTiming::steadyClockByDefault()
{
    ShowClock clock;
    clock.start();
    QTest::qSleep(120);
    const qint64 elapsed = clock.elapsedMs();
    QVERIFY2(elapsed >= 120 && elapsed < 400, qPrintable(QString::number(elapsed)));
}

void TestTiming::wordsOfKnownTexts_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("words");
    QTest::newRow("empty") << QStringList{} << 0;
    QTest::newRow("a sentence") << QStringList{QStringLiteral("Good evening, and welcome.")} << 4;
    QTest::newRow("contractions and hyphens")
        << QStringList{QStringLiteral("Don't miss the well-known story")} << 5;
    QTest::newRow("markup and references")
        << QStringList{QStringLiteral("<P><SPAN style=\"x\">Caf&eacute;&nbsp;au&nbsp;lait</SPAN>")} << 3;
    QTest::newRow("marker lines are not read")
        << QStringList{QStringLiteral("## Weather report"), QStringLiteral("Sunny all day")} << 3;
    QTest::newRow("numbers and other scripts") << QStringList{QStringLiteral("Über 100 Gäste — 東京")} << 4;
    QTest::newRow("tags inside and between words")
        << QStringList{QStringLiteral(
               "<font color=\"#FFFFFF\">Good</font><FONT color=\"#FF0000\">night</FONT> all")}
        << 2;
    QTest::newRow("tags that break lines or boxes")
        << QStringList{QStringLiteral("one<br>two<BR/>three</p><p>four</td><td>five")} << 5;
    QTest::newRow("a tag left open") << QStringList{QStringLiteral("Half a <b tag")} << 2;
    QTest::newRow("references inside and between words")
        << QStringList{QStringLiteral(
               "<b>Caf&eacute;</b>&nbsp;&amp;&#160;cr&#xE8;me&mdash;br&ucirc;l&eacute;e")}
        << 3;
    QTest::newRow("a bare ampersand") << QStringList{QStringLiteral("<i>Salt & pepper</i>")} << 2;
    QTest::newRow("style and comments are not read")
        << QStringList{QStringLiteral("<style>p { color: red }</style>Seen <!-- not seen -->here")} << 2;
}

void TestTiming::wordsOfKnownTexts()
{
    QFETCH(QStringList, lines);
    QTEST(wordcount(lines), "words");
}

void TestTiming::readingTimeAtAPace()
{
    QCOMPARE(readingms(180, 180), 60000);
    QCOMPARE(readingms(90, 180), 30000);
    QCOMPARE(readingms(300, 150), 120000);
    QCOMPARE(readingms(0, 180), 0);
    // Paces beyond the range are kept within it.
    QCOMPARE(readingms(60, 1), 60000);
    QCOMPARE(readingms(400, 10000), 60000);
}

void TestTiming::readingTimesAsTheQueueShowsThem()
{
    QCOMPARE(readingclock(0), QStringLiteral("0:00"));
    QCOMPARE(readingclock(-5), QStringLiteral("0:00"));
    QCOMPARE(readingclock(499), QStringLiteral("0:00"));
    QCOMPARE(readingclock(59600), QStringLiteral("1:00")); // to the nearest second
    QCOMPARE(readingclock(605000), QStringLiteral("10:05"));
    QCOMPARE(readingclock(3599000), QStringLiteral("59:59"));
    QCOMPARE(readingclock(3600000), QStringLiteral("1:00:00"));
    QCOMPARE(readingclock(qint64(26) * 3600000 + 61000), QStringLiteral("26:01:01"));
}

void TestTiming::forecastOnlyWhenSteady()
{
    const QDateTime now(QDate(2026, 3, 1), QTime(19, 58, 30));
    QVERIFY(!endforecast(now, 90000, 1000, true).isValid());
    QVERIFY(!endforecast(now, 90000, 60000, false).isValid());
    QCOMPARE(endforecast(now, 90000, steadyAfterMs, true), QDateTime(QDate(2026, 3, 1), QTime(20, 0, 0)));
}

VANTELL_CORE_TEST_MAIN(TestTiming)
#include "test_timing.moc"

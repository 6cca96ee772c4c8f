#include <QTest>
#include <QTimeZone>

#include "core/rundown/backtiming.h"
#include "testsupport/testmain.h"

// The arithmetic of back-timing: the show's planned end as the operator, the control API and the
// newsroom give it, and the over/under time against the reading time left.
class TestBackTiming : public QObject {
    Q_OBJECT
private slots:
    void showEndsAreTimesOfDay_data();
    void showEndsAreTimesOfDay();
    void theEndNearestNowIsMeant();
    void runningOrdersPlanTheirEnd_data();
    void runningOrdersPlanTheirEnd();
    void overIsPositiveUnderNegative();
};

void TestBackTiming::showEndsAreTimesOfDay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("time");
    QTest::newRow("evening") << "18:30:00" << QTime(18, 30, 0);
    QTest::newRow("one digit hour") << "7:05:09" << QTime(7, 5, 9);
    QTest::newRow("blanks around") << " 23:59:59 " << QTime(23, 59, 59);
    QTest::newRow("midnight") << "00:00:00" << QTime(0, 0, 0);
    QTest::newRow("hour 24") << "24:00:00" << QTime();
    QTest::newRow("minute 60") << "18:60:00" << QTime();
    QTest::newRow("no seconds") << "18:30" << QTime();
    QTest::newRow("words") << "half past six" << QTime();
    QTest::newRow("empty") << "" << QTime();
    QTest::newRow("negative") << "-1:00:00" << QTime();
}

void TestBackTiming::showEndsAreTimesOfDay()
{
    QFETCH(QString, text);
    QFETCH(QTime, time);
    const std::optional<QTime> parsed = parseshowend(text);
    QCOMPARE(parsed.has_value(), time.isValid());
    if (parsed)
        QCOMPARE(*parsed, time);
}

void TestBackTiming::theEndNearestNowIsMeant()
{
    const QTimeZone utc = QTimeZone::utc();
    const QDateTime evening(QDate(2024, 3, 5), QTime(23, 50), utc);
    // A show running past midnight ends tomorrow; one that ended a while ago ended today.
    QCOMPARE(nearestoccurrence(QTime(0, 30), evening), QDateTime(QDate(2024, 3, 6), QTime(0, 30), utc));
    QCOMPARE(nearestoccurrence(QTime(23, 0), evening), QDateTime(QDate(2024, 3, 5), QTime(23, 0), utc));
    const QDateTime night(QDate(2024, 3, 6), QTime(0, 10), utc);
    QCOMPARE(nearestoccurrence(QTime(23, 55), night), QDateTime(QDate(2024, 3, 5), QTime(23, 55), utc));
    QCOMPARE(nearestoccurrence(QTime(6, 0), night), QDateTime(QDate(2024, 3, 6), QTime(6, 0), utc));
}

void TestBackTiming::runningOrdersPlanTheirEnd_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QDateTime>("end");
    const QTimeZone utc = QTimeZone::utc();
    QTest::newRow("zone Z") << "2024-03-05T18:00:00Z"
                            << "00:30:00" << QDateTime(QDate(2024, 3, 5), QTime(18, 30), utc);
    QTest::newRow("fractions and offset") << "2024-03-05T18:00:00,125+01:00"
                                          << "01:00:00" << QDateTime(QDate(2024, 3, 5), QTime(18, 0), utc);
    QTest::newRow("offset without colon")
        << "2024-03-05T18:00:00-0500"
        << "00:00:30" << QDateTime(QDate(2024, 3, 5), QTime(23, 0, 30), utc);
    QTest::newRow("past midnight") << "2024-03-05T23:45:00Z"
                                   << "00:30:00" << QDateTime(QDate(2024, 3, 6), QTime(0, 15), utc);
    QTest::newRow("long duration") << "2024-03-05T10:00:00Z"
                                   << "26:00:00" << QDateTime(QDate(2024, 3, 6), QTime(12, 0), utc);
    QTest::newRow("no start") << ""
                              << "00:30:00" << QDateTime();
    QTest::newRow("no duration") << "2024-03-05T18:00:00Z"
                                 << "" << QDateTime();
    QTest::newRow("bad minutes") << "2024-03-05T18:00:00Z"
                                 << "00:75:00" << QDateTime();
    QTest::newRow("not a time") << "tonight"
                                << "00:30:00" << QDateTime();
}

void TestBackTiming::runningOrdersPlanTheirEnd()
{
    QFETCH(QString, start);
    QFETCH(QString, duration);
    QFETCH(QDateTime, end);
    const std::optional<QDateTime> planned = runningorderend(start, duration);
    QCOMPARE(planned.has_value(), end.isValid());
    if (planned)
        QCOMPARE(planned->toUTC(), end);
    // Without a zone, the newsroom's local time.
    const std::optional<QDateTime> local =
        runningorderend(QStringLiteral("2024-03-05T18:00:00"), QStringLiteral("00:10:00"));
    QVERIFY(local);
    QCOMPARE(*local, QDateTime(QDate(2024, 3, 5), QTime(18, 10)));
}

void TestBackTiming::overIsPositiveUnderNegative()
{
    const QDateTime now(QDate(2024, 3, 5), QTime(18, 20));
    const QDateTime end(QDate(2024, 3, 5), QTime(18, 30));
    // Eleven minutes to read in ten: a minute over.
    QCOMPARE(overunderms(11 * 60000, now, end), 60000);
    QCOMPARE(overunderms(9 * 60000 + 15000, now, end), -45000);
    // Past the end everything left to read is over, and then some.
    QCOMPARE(overunderms(60000, end.addSecs(30), end), 90000);
    QCOMPARE(overundertext(65000), QStringLiteral("+1:05"));
    QCOMPARE(overundertext(-45000), QStringLiteral("\u22120:45"));
    QCOMPARE(overundertext(-400), QStringLiteral("+0:00"));
    QCOMPARE(overundertext(3725000), QStringLiteral("+1:02:05"));
}

VANTELL_CORE_TEST_MAIN(TestBackTiming)
#include "test_backtiming.moc"

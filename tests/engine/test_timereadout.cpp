#include "core/engine/timereadout.h"
#include "testsupport/testmain.h"

class TestTimeReadout : public QObject {
    Q_OBJECT
private slots:
    void clocktextExamples_data();
    void clocktextExamples();
    void twodigitsOnlyPadsSingleCharacters();
    void scrolltimeCountsWholeTicks_data();
    void scrolltimeCountsWholeTicks();
};

void TestTimeReadout::clocktextExamples_data()
{
    QTest::addColumn<qint32>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "00:00:00:00";
    QTest::newRow("75.3 s") << 75300 << "00:01:15:30";
    QTest::newRow("one minute") << 60000 << "00:01:00:00";
    QTest::newRow("one hour") << 3600000 << "01:00:00:00";
    QTest::newRow("hundredths truncate") << 999 << "00:00:00:99";
    QTest::newRow("worked elapsed") << 87300 << "00:01:27:30";
    QTest::newRow("worked remaining") << 58200 << "00:00:58:20";
    QTest::newRow("100 hours, three digits") << 360000000 << "100:00:00:00";
    QTest::newRow("negative: each field its own sign") << -291 << "00:00:00:-29";
    QTest::newRow("negative seconds") << -5000 << "00:00:-5:00";
    QTest::newRow("negative minutes are not carried") << -120000 << "00:00:-120:00";
    QTest::newRow("largest") << 2147483647 << "596:31:23:64";
}

void TestTimeReadout::clocktextExamples()
{
    QFETCH(qint32, ms);
    QFETCH(QString, text);
    QCOMPARE(clocktext(ms), text);
}

void TestTimeReadout::twodigitsOnlyPadsSingleCharacters()
{
    QCOMPARE(twodigits(QStringLiteral("5")), QStringLiteral("05"));
    QCOMPARE(twodigits(QStringLiteral("-")), QStringLiteral("0-"));
    QCOMPARE(twodigits(QStringLiteral("-5")), QStringLiteral("-5"));
    QCOMPARE(twodigits(QStringLiteral("123")), QStringLiteral("123"));
    QCOMPARE(twodigits(QString()), QString());
}

void TestTimeReadout::scrolltimeCountsWholeTicks_data()
{
    QTest::addColumn<qint32>("distance");
    QTest::addColumn<qint32>("coarse");
    QTest::addColumn<qint32>("interval");
    QTest::addColumn<qint32>("ms");
    QTest::newRow("worked case, elapsed") << 600 << 2 << 291 << 87300;
    QTest::newRow("worked case, remaining") << 400 << 2 << 291 << 58200;
    QTest::newRow("whole ticks only") << 5 << 2 << 100 << 200;
    QTest::newRow("intervals below 10 ms count 10") << 100 << 1 << 1 << 1000;
    QTest::newRow("unreadable position") << -1 << 1 << 291 << -291;
    QTest::newRow("truncates toward zero") << -3 << 2 << 100 << -100;
    QTest::newRow("saturates instead of wrapping") << 100000000 << 1 << 300 << 2147483647;
}

void TestTimeReadout::scrolltimeCountsWholeTicks()
{
    QFETCH(qint32, distance);
    QFETCH(qint32, coarse);
    QFETCH(qint32, interval);
    QFETCH(qint32, ms);
    QCOMPARE(scrolltime(distance, coarse, interval), ms);
}

VANTELL_CORE_TEST_MAIN(TestTimeReadout)
#include "test_timereadout.moc"

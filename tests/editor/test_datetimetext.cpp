#include "core/editor/datetimetext.h"
#include "testsupport/testmain.h"

// The text the editor's Date/Time command inserts.
class TestDateTimeText : public QObject {
    Q_OBJECT
private slots:
    void dateAndTime_data();
    void dateAndTime();
    void localeFormats();
};

void TestDateTimeText::dateAndTime_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("expected");
    const QDate day(2026, 12, 7);
    QTest::newRow("evening") << QDateTime(day, QTime(23, 27, 5)) << "07.12.2026 23:27:05";
    QTest::newRow("midnight leaves out the time") << QDateTime(day, QTime(0, 0)) << "07.12.2026";
    QTest::newRow("one second past midnight") << QDateTime(day, QTime(0, 0, 1)) << "07.12.2026 00:00:01";
}

void TestDateTimeText::dateAndTime()
{
    QFETCH(QDateTime, when);
    QFETCH(QString, expected);
    // The formats of a German locale's LC_TIME.
    QCOMPARE(datetimetext(when, "%d.%m.%Y", "%H:%M:%S"), expected);
}

void TestDateTimeText::localeFormats()
{
    // The tests run in the C.UTF-8 locale: month/day/year and a 24-hour clock.
    QCOMPARE(localdatetimetext(QDateTime(QDate(2026, 12, 7), QTime(23, 27, 5))),
             QStringLiteral("12/07/26 23:27:05"));
}

VANTELL_CORE_TEST_MAIN(TestDateTimeText)
#include "test_datetimetext.moc"

#include <QElapsedTimer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/engine/countdown.h"
#include "core/engine/readingcue.h"
#include "core/settings/readingaidsettings.h"
#include "testsupport/testmain.h"

// The reading line's shapes, the countdown, and the reading aids' settings as they are kept
// between runs.
class TestReadingAids : public QObject {
    Q_OBJECT
private slots:
    void arrowPointsAtTheReadingLineInsideTheGutter_data();
    void arrowPointsAtTheReadingLineInsideTheGutter();
    void bandHasABarInEachGutter();
    void noRoomNoCue();
    void countdownShowsEachSecondOnceAndFinishesOnTime();
    void countdownLengthIsKeptWithinItsRange();
    void cancelledCountdownNeverFinishes();
    void settingsRoundTrip();
    void badStoredValuesKeepTheirDefaults();
};

void TestReadingAids::arrowPointsAtTheReadingLineInsideTheGutter_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("upsideDown");
    QTest::addColumn<double>("y");
    QTest::newRow("a third down") << 1.0 / 3 << false << 200.0;
    QTest::newRow("turned: a third up from the bottom") << 1.0 / 3 << true << 400.0;
    QTest::newRow("half") << 0.5 << false << 300.0;
    QTest::newRow("beyond the view is kept in it") << 1.5 << false << 600.0;
}

void TestReadingAids::arrowPointsAtTheReadingLineInsideTheGutter()
{
    QFETCH(double, height);
    QFETCH(bool, upsideDown);
    QFETCH(double, y);
    ReadingLine line;
    line.height = height;
    const QList<QPolygonF> shapes = readingcueshapes(QSizeF(1000, 600), 40, line, upsideDown);
    QCOMPARE(shapes.size(), 1);
    const QRectF box = shapes.first().boundingRect();
    QVERIFY(box.left() > 0 && box.right() < 40); // inside the gutter: never over the text
    QCOMPARE(box.center().y(), y);
    // The tip points right, at the text.
    QVERIFY(shapes.first().contains(QPointF(box.right(), y)) ||
            shapes.first().at(1) == QPointF(box.right(), y));
}

void TestReadingAids::bandHasABarInEachGutter()
{
    ReadingLine line;
    line.style = CueStyle::Band;
    const QList<QPolygonF> shapes = readingcueshapes(QSizeF(1000, 600), 40, line, false);
    QCOMPARE(shapes.size(), 2);
    const QRectF left = shapes.at(0).boundingRect();
    const QRectF right = shapes.at(1).boundingRect();
    QVERIFY(left.left() > 0 && left.right() < 40);
    QVERIFY(right.left() > 960 && right.right() < 1000);
    QCOMPARE(left.center().y(), 200.0);
    QCOMPARE(right.center().y(), 200.0);
}

void TestReadingAids::noRoomNoCue()
{
    QVERIFY(readingcueshapes(QSizeF(1000, 600), 0, ReadingLine{}, false).isEmpty());
    QVERIFY(readingcueshapes(QSizeF(1000, 600), 1, ReadingLine{}, false).isEmpty());
}

void TestReadingAids::countdownShowsEachSecondOnceAndFinishesOnTime()
{
    Countdown countdown;
    QSignalSpy changed(&countdown, &Countdown::changed);
    QSignalSpy finished(&countdown, &Countdown::finished);
    QElapsedTimer clock;
    clock.start();
    countdown.start(3);
    QVERIFY(countdown.isActive());
    QCOMPARE(countdown.secondsLeft(), 3);
    QVERIFY(finished.wait(5000));
    const qint64 took = clock.elapsed();
    QVERIFY2(took >= 3000 && took < 3300, qPrintable(QString::number(took)));
    QCOMPARE(changed.size(), 3);
    QCOMPARE(changed.at(0).at(0).toInt(), 3);
    QCOMPARE(changed.at(1).at(0).toInt(), 2);
    QCOMPARE(changed.at(2).at(0).toInt(), 1);
    QVERIFY(!countdown.isActive());
    QCOMPARE(countdown.secondsLeft(), 0);
}

void TestReadingAids::countdownLengthIsKeptWithinItsRange()
{
    Countdown countdown;
    countdown.start(1);
    QCOMPARE(countdown.secondsLeft(), Countdown::minSeconds);
    // One taken over from another prompter counts on from where that one was.
    countdown.continueFrom(1);
    QCOMPARE(countdown.secondsLeft(), 1);
    countdown.continueFrom(0);
    QCOMPARE(countdown.secondsLeft(), 1);
    countdown.start(60);
    QCOMPARE(countdown.secondsLeft(), Countdown::maxSeconds);
    countdown.cancel();
}

void TestReadingAids::cancelledCountdownNeverFinishes()
{
    Countdown countdown;
    QSignalSpy finished(&countdown, &Countdown::finished);
    QSignalSpy cancelled(&countdown, &Countdown::cancelled);
    countdown.start(3);
    countdown.cancel();
    QCOMPARE(cancelled.size(), 1);
    QVERIFY(!countdown.isActive());
    countdown.cancel(); // nothing under way: nothing to tell
    QCOMPARE(cancelled.size(), 1);
    QVERIFY(!finished.wait(3500));
}

void TestReadingAids::settingsRoundTrip()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat);
    QCOMPARE(readreadingaids(settings), ReadingAidSettings{}); // nothing stored: the defaults
    ReadingAidSettings values;
    values.hideMarkers = true;
    values.jumpLines = 12;
    values.readingLine.onPrompter = true;
    values.readingLine.onTalent = true;
    values.readingLine.height = 0.25;
    values.readingLine.style = CueStyle::Band;
    values.readingLine.colour = QColor(64, 208, 255);
    values.readingLine.opacity = 50;
    values.countdown = true;
    values.countdownSeconds = 10;
    writereadingaids(settings, values);
    settings.sync();
    QSettings again(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat);
    QCOMPARE(readreadingaids(again), values);
}

void TestReadingAids::badStoredValuesKeepTheirDefaults()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("ReadingAids"));
    settings.setValue(QStringLiteral("JumpLines"), 0);
    settings.setValue(QStringLiteral("CueHeight"), QStringLiteral("high"));
    settings.setValue(QStringLiteral("CueColour"), QStringLiteral("no colour"));
    settings.setValue(QStringLiteral("CueOpacity"), 400);
    settings.setValue(QStringLiteral("CueStyle"), QStringLiteral("zigzag"));
    settings.setValue(QStringLiteral("CountdownSeconds"), 2);
    settings.endGroup();
    QCOMPARE(readreadingaids(settings), ReadingAidSettings{});
}

VANTELL_CORE_TEST_MAIN(TestReadingAids)
#include "test_readingaids.moc"

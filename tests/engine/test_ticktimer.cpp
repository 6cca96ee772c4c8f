#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>

#include "core/engine/ticktimer.h"
#include "testsupport/testmain.h"

// The tick timer counts the ticks that came due on a monotonic clock, however late its events.
class TestTickTimer : public QObject {
    Q_OBJECT
private slots:
    void lateEventsLoseNoTicks();
    void aStallIsNotMadeUpInOneJump();
    void settingTheSameValueChangesNothing();
};

namespace {
int total(const QSignalSpy &spy)
{
    int ticks = 0;
    for (const QList<QVariant> &call : spy)
        ticks += call.at(0).toInt();
    return ticks;
}
} // namespace

void TestTickTimer::lateEventsLoseNoTicks()
{
    TickTimer timer;
    timer.setInterval(2);
    QSignalSpy ticks(&timer, &TickTimer::timeout);
    QElapsedTimer clock;
    timer.setEnabled(true);
    clock.start();
    // The event loop turns only every 20 ms: ten ticks come due between two turns.
    while (clock.elapsed() < 400) {
        QThread::msleep(20);
        QCoreApplication::processEvents();
    }
    timer.setEnabled(false);
    const double expected = clock.elapsed() / 2.0;
    QVERIFY2(total(ticks) > expected * 0.85 && total(ticks) <= expected + 1,
             qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(total(ticks)).arg(clock.elapsed())));
    QVERIFY(ticks.count() < total(ticks) / 4); // reported many at a time
}

void TestTickTimer::aStallIsNotMadeUpInOneJump()
{
    TickTimer timer;
    timer.setInterval(10);
    QSignalSpy ticks(&timer, &TickTimer::timeout);
    timer.setEnabled(true);
    QThread::msleep(TickTimer::maxCatchUpMs * 3);
    QCoreApplication::processEvents();
    QCOMPARE(ticks.count(), 1);
    QCOMPARE(ticks.at(0).at(0).toInt(), TickTimer::maxCatchUpMs / 10);
}

void TestTickTimer::settingTheSameValueChangesNothing()
{
    TickTimer timer;
    QSignalSpy changed(&timer, &TickTimer::changed);
    timer.setInterval(300); // its start value
    timer.setEnabled(false);
    QCOMPARE(changed.count(), 0);
    timer.setInterval(0); // kept at 1 ms at least
    QCOMPARE(timer.interval(), 1);
    QCOMPARE(changed.count(), 1);
}

VANTELL_CORE_TEST_MAIN(TestTickTimer)
#include "test_ticktimer.moc"

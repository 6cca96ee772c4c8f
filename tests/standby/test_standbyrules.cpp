#include <QSettings>
#include <QTemporaryDir>

#include "core/settings/standbysettings.h"
#include "core/standby/showmirror.h"
#include "core/standby/takeoverwatch.h"
#include "testsupport/testmain.h"

// A standby prompter's rules without a window: when it takes the show over, how long its
// prompter may be silent, and where the prompter's page stands by its last state.
class TestStandbyRules : public QObject {
    Q_OBJECT
private slots:
    void takeoverNeedsAShowAndSilence();
    void aStandbyThatStoodStillLooksAgainFirst();
    void thePrompterPageMovesOnByItsLastState();
    void theTakeoverTimeIsKeptWithinItsRange();
};

void TestStandbyRules::takeoverNeedsAShowAndSilence()
{
    TakeoverWatch watch;
    QCOMPARE(watch.timeout(), 500);
    qint64 now = 1000;
    const auto checkUntil = [&](qint64 end) {
        for (; now <= end; now += TakeoverWatch::checkIntervalMs)
            if (watch.due(now))
                return now;
        return qint64(-1);
    };
    // A standby that never heard its prompter, or has nothing to carry on, never takes over.
    QCOMPARE(checkUntil(3000), qint64(-1));
    watch.heard(now);
    QCOMPARE(checkUntil(6000), qint64(-1));
    // With a show to carry on: while heartbeats come, nothing; once they stop, after the
    // takeover time and within a check.
    watch.setReady(true);
    for (int beat = 0; beat < 20; ++beat) {
        watch.heard(now);
        QVERIFY(!watch.due(now));
        now += TakeoverWatch::checkIntervalMs;
    }
    const qint64 lastHeard = now - TakeoverWatch::checkIntervalMs;
    const qint64 taken = checkUntil(now + 2000);
    QVERIFY(taken > lastHeard + 500);
    QVERIFY(taken <= lastHeard + 500 + TakeoverWatch::checkIntervalMs);
    QCOMPARE(watch.silence(taken), taken - lastHeard);
}

void TestStandbyRules::aStandbyThatStoodStillLooksAgainFirst()
{
    TakeoverWatch watch;
    watch.setReady(true);
    watch.heard(0);
    QVERIFY(!watch.due(0));
    // The standby itself stood still for two seconds: the prompter's messages may be waiting.
    QVERIFY(!watch.due(2000));
    // They were: nothing to do.
    watch.heard(2010);
    QVERIFY(!watch.due(2050));
    // They were not: one check later it takes over, however late the checks keep coming.
    QVERIFY(!watch.due(5000));
    QVERIFY(watch.due(8000));
}

void TestStandbyRules::thePrompterPageMovesOnByItsLastState()
{
    PrompterSnapshot state;
    state.position = 1000;
    state.pageBottom = 5000;
    state.time = 1e12;
    state.rate = 200;
    state.running = true;
    ShowMirror mirror;
    QVERIFY(!mirror.isKnown());
    mirror.setState(state);
    QVERIFY(mirror.isKnown());
    QCOMPARE(mirror.scriptAt(1e12 + 500), 1100.0);
    QCOMPARE(mirror.errorAt(1103, 1e12 + 500), 3.0);
    // It stops at the script's end, and does not run while paused.
    QCOMPARE(mirror.scriptAt(1e12 + 60000), 5000.0);
    state.running = false;
    mirror.setState(state);
    QCOMPARE(mirror.scriptAt(1e12 + 500), 1000.0);
    // A page turned upside down starts at its bottom and runs up: the script still runs on.
    state.running = true;
    state.upsideDown = true;
    state.position = 4000;
    state.rate = -200;
    mirror.setState(state);
    QCOMPARE(mirror.motion().script, 1000.0);
    QCOMPARE(mirror.scriptAt(1e12 + 1000), 1200.0);
    QCOMPARE(mirror.scriptAt(1e12 - 60000), 0.0);
}

void TestStandbyRules::theTakeoverTimeIsKeptWithinItsRange()
{
    QTemporaryDir dir;
    QSettings stored(dir.filePath(QStringLiteral("standby.ini")), QSettings::IniFormat);
    QCOMPARE(readstandbysettings(stored).takeoverMs, 500);
    writestandbysettings(stored, StandbySettings{1500});
    QCOMPARE(readstandbysettings(stored).takeoverMs, 1500);
    for (const char *wrong : {"20", "999999", "soon"}) {
        stored.setValue(QStringLiteral("Standby/TakeoverMs"), QLatin1String(wrong));
        QCOMPARE(readstandbysettings(stored).takeoverMs, 500);
    }
    TakeoverWatch watch;
    watch.setTimeout(5);
    QCOMPARE(watch.timeout(), StandbySettings::minTakeoverMs);
    watch.setTimeout(60000);
    QCOMPARE(watch.timeout(), StandbySettings::maxTakeoverMs);
}

VANTELL_CORE_TEST_MAIN(TestStandbyRules)
#include "test_standbyrules.moc"

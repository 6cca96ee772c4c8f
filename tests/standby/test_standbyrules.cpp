#include <QSettings>
#include <QTemporaryDir>

#include <QJsonObject>
#include <QSet>

#include "core/settings/standbysettings.h"
#include "core/standby/pendinganswers.h"
#include "core/standby/showmirror.h"
#include "core/standby/takeoverwatch.h"
#include "testsupport/testmain.h"

// A standby prompter's rules without a window: when it takes the show over, how long its
// prompter may be silent, where the prompter's page stands by its last state, and how the
// commands it passed on are answered.
class TestStandbyRules : public QObject {
    Q_OBJECT
private slots:
    void takeoverNeedsAShowAndSilence();
    void aStandbyThatStoodStillLooksAgainFirst();
    void thePrompterPageMovesOnByItsLastState();
    void theTakeoverTimeIsKeptWithinItsRange();
    void eachCommandPassedOnGetsItsOwnAnswerOnce();
    void noCommandPassedOnWaitsForever();
};

namespace {

QJsonObject reply(const QString &id, bool ok, const QString &error = {})
{
    QJsonObject reply{{QStringLiteral("type"), QStringLiteral("reply")},
                      {QStringLiteral("id"), id},
                      {QStringLiteral("ok"), ok}};
    if (!error.isEmpty())
        reply.insert(QStringLiteral("error"), error);
    return reply;
}

} // namespace

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

void TestStandbyRules::eachCommandPassedOnGetsItsOwnAnswerOnce()
{
    PendingAnswers answers;
    QStringList told;
    const auto answer = [&told](const QString &name) {
        return [&told, name](const QString &error) { told << name + QLatin1Char(':') + error; };
    };
    const QString speed = answers.add(answer(QStringLiteral("speed")), 0);
    const QString story = answers.add(answer(QStringLiteral("story")), 10);
    const QString pause = answers.add(answer(QStringLiteral("pause")), 20);
    QCOMPARE(QSet<QString>({speed, story, pause}).size(), 3);

    // Out of order, each with its own answer: the prompter's refusal word for word.
    QVERIFY(answers.answer(reply(story, false, QStringLiteral("the page has no story 7"))));
    QVERIFY(answers.answer(reply(speed, true)));
    QCOMPARE(told, QStringList({QStringLiteral("story:the page has no story 7"), QStringLiteral("speed:")}));
    // Answered once: a second reply to it, a reply to an id never sent, and replies not
    // understood (no id, no ok, a refusal without its reason) change nothing.
    QVERIFY(!answers.answer(reply(story, true)));
    QVERIFY(!answers.answer(reply(QStringLiteral("standby-99"), true)));
    QVERIFY(!answers.answer(reply(QStringLiteral("remote-1"), false, QStringLiteral("elsewhere"))));
    QVERIFY(!answers.answer(QJsonObject{{QStringLiteral("ok"), true}}));
    QVERIFY(!answers.answer(
        QJsonObject{{QStringLiteral("id"), pause}, {QStringLiteral("ok"), QStringLiteral("yes")}}));
    QVERIFY(!answers.answer(reply(pause, false)));
    QVERIFY(!answers.answer(QJsonObject{{QStringLiteral("id"), 3}, {QStringLiteral("ok"), true}}));
    QCOMPARE(told.size(), 2);
    QCOMPARE(answers.size(), 1);
    QVERIFY(answers.answer(reply(pause, true)));
    QCOMPARE(told.last(), QStringLiteral("pause:"));
    QCOMPARE(answers.size(), 0);
}

void TestStandbyRules::noCommandPassedOnWaitsForever()
{
    PendingAnswers answers;
    QStringList told;
    const auto answer = [&told](const QString &name) {
        return [&told, name](const QString &error) { told << name + QLatin1Char(':') + error; };
    };
    const qint64 limit = PendingAnswers::answerLimitMs;
    answers.add(answer(QStringLiteral("first")), 0);
    answers.add(answer(QStringLiteral("second")), 300);
    const QString third = answers.add(answer(QStringLiteral("third")), 600);
    // Within the limit nothing is answered; past it, the late ones only, with the error given.
    answers.expire(limit, QStringLiteral("silent"));
    QVERIFY(told.isEmpty());
    answers.expire(300 + limit + 1, QStringLiteral("silent"));
    QCOMPARE(told, QStringList({QStringLiteral("first:silent"), QStringLiteral("second:silent")}));
    // The prompter's answer that comes too late is not told a second time.
    QVERIFY(answers.answer(reply(third, true)));
    told.clear();

    // A lost line answers every command waiting; a command given while they are told (the
    // operator presses on) waits for an answer of its own.
    answers.add(answer(QStringLiteral("resume")), 2000);
    answers.add(
        [&](const QString &error) {
            told << QStringLiteral("faster:") + error;
            answers.add(answer(QStringLiteral("again")), 2100);
        },
        2050);
    answers.failAll(QStringLiteral("line lost"));
    QCOMPARE(told, QStringList({QStringLiteral("resume:line lost"), QStringLiteral("faster:line lost")}));
    QCOMPARE(answers.size(), 1);
    answers.expire(2100 + limit + 1, QStringLiteral("silent"));
    QCOMPARE(told.last(), QStringLiteral("again:silent"));
}

VANTELL_CORE_TEST_MAIN(TestStandbyRules)
#include "test_standbyrules.moc"

#include <QSet>

#include "core/remote/accesstoken.h"
#include "core/remote/clockoffset.h"
#include "core/remote/failedattempts.h"
#include "core/remote/statethrottle.h"
#include "testsupport/testmain.h"

// The rules around the control API: tokens, wrong guesses, the pace of state messages, and the
// clock of another machine.
class TestRemotePolicies : public QObject {
    Q_OBJECT
private slots:
    void tokensAreLongRandomAndSafeInAddresses();
    void tokensMatchOnlyExactly();
    void wrongGuessesLockAPeerOutForAWhile();
    void thePeerTableStaysSmall();
    void stateGoesOutAtMostThirtyTimesASecond();
    void clockOffsetFromTheQuickestRoundTrip();
};

void TestRemotePolicies::tokensAreLongRandomAndSafeInAddresses()
{
    QSet<QString> seen;
    for (int i = 0; i < 100; ++i) {
        const QString token = generatetoken();
        QCOMPARE(token.size(), 32);
        for (const QChar c : token)
            QVERIFY(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'));
        seen.insert(token);
    }
    QCOMPARE(seen.size(), 100);
}

void TestRemotePolicies::tokensMatchOnlyExactly()
{
    const QString token = QStringLiteral("abcDEF123_-xyz");
    QVERIFY(tokensmatch(token, token));
    QVERIFY(!tokensmatch(QStringLiteral("abcDEF123_-xyZ"), token));
    QVERIFY(!tokensmatch(QStringLiteral("abcDEF123_-xy"), token)); // a prefix
    QVERIFY(!tokensmatch(token + QLatin1Char('z'), token));
    QVERIFY(!tokensmatch(QString(), token));
    QVERIFY(!tokensmatch(QString(), QString())); // no token set: nothing matches
}

void TestRemotePolicies::wrongGuessesLockAPeerOutForAWhile()
{
    FailedAttempts attempts;
    const QString peer = QStringLiteral("192.168.1.20");
    for (int i = 0; i < FailedAttempts::allowedFailures - 1; ++i) {
        attempts.failed(peer, 1000 + i);
        QVERIFY(attempts.allowed(peer, 1000 + i));
    }
    attempts.failed(peer, 2000);
    QVERIFY(!attempts.allowed(peer, 2000));
    QVERIFY(attempts.allowed(QStringLiteral("192.168.1.21"), 2000)); // others are not held up
    QVERIFY(!attempts.allowed(peer, 2000 + FailedAttempts::lockoutMs - 1));
    QVERIFY(attempts.allowed(peer, 2000 + FailedAttempts::lockoutMs));
    // Mistakes far apart never add up to a lockout.
    FailedAttempts slow;
    for (int i = 0; i < 20; ++i)
        slow.failed(peer, i * (FailedAttempts::windowMs + 1));
    QVERIFY(slow.allowed(peer, 20 * (FailedAttempts::windowMs + 1)));
    // A right token forgets the mistakes.
    FailedAttempts forgiving;
    for (int i = 0; i < FailedAttempts::allowedFailures - 1; ++i)
        forgiving.failed(peer, 10);
    forgiving.succeeded(peer);
    forgiving.failed(peer, 11);
    QVERIFY(forgiving.allowed(peer, 11));
}

void TestRemotePolicies::thePeerTableStaysSmall()
{
    FailedAttempts attempts;
    const QString locked = QStringLiteral("10.0.0.1");
    for (int i = 0; i < FailedAttempts::allowedFailures; ++i)
        attempts.failed(locked, 0);
    for (int i = 0; i < 5 * FailedAttempts::maxPeers; ++i)
        attempts.failed(QStringLiteral("10.1.%1.%2").arg(i / 256).arg(i % 256), 10);
    // The peer that is locked out stays locked out, whatever came after it.
    QVERIFY(!attempts.allowed(locked, 20));
}

void TestRemotePolicies::stateGoesOutAtMostThirtyTimesASecond()
{
    StateThrottle throttle;
    QCOMPARE(throttle.wait(0), 0);
    throttle.sent(0);
    QCOMPARE(throttle.wait(10), 24);
    QCOMPARE(throttle.wait(34), 0);
    // Changes every millisecond for a second: 30 messages.
    int sent = 0;
    StateThrottle busy;
    for (qint64 now = 0; now < 1000; ++now) {
        if (busy.wait(now) == 0) {
            busy.sent(now);
            ++sent;
        }
    }
    QCOMPARE(sent, 30);
}

void TestRemotePolicies::clockOffsetFromTheQuickestRoundTrip()
{
    ClockOffset clock;
    QVERIFY(!clock.known());
    // The other clock is 5,000 ms ahead; trips of 20 ms each way, one of them held up 200 ms.
    clock.add(1000, 6020, 6021, 1041);
    clock.add(2000, 7220, 7221, 2041); // held up on the way there: it would say 5,100
    QVERIFY(clock.known());
    QCOMPARE(clock.offset(), 5000.0);
    QCOMPARE(clock.delay(), 40.0);
    // Old round trips are forgotten.
    for (int i = 0; i < ClockOffset::kept; ++i)
        clock.add(3000 + i * 100, 8030 + i * 100, 8030 + i * 100, 3060 + i * 100);
    QCOMPARE(clock.offset(), 5000.0);
    QCOMPARE(clock.delay(), 60.0);
}

VANTELL_CORE_TEST_MAIN(TestRemotePolicies)
#include "test_remotepolicies.moc"

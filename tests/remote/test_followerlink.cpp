#include <QSignalSpy>

#include "remote/faketarget.h"
#include "core/remote/followerlink.h"
#include "core/remote/remoteserver.h"
#include "testsupport/testmain.h"

// A networked talent display's line to its prompter: the address it is given, the state it
// believes, and the line itself over a real control API on loopback (the script, the state on
// our clock, a lost line tried again, a wrong token).
class TestFollowerLink : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addressesOfLeaders();
    void onlyStatesAPrompterCouldHaveAreBelieved();
    void theScriptAndTheStateArrive();
    void aLostLineIsTriedAgain();
    void aWrongTokenGetsNothing();

private:
    bool start(bool network = false);
    QUrl address(const QString &token = {}) const;

    FakeTarget *m_target = nullptr;
    RemoteServer *m_server = nullptr;
    quint16 m_port = 0;
};

void TestFollowerLink::init()
{
    m_target = new FakeTarget;
    m_server = new RemoteServer(*m_target);
    QVERIFY(start());
}

void TestFollowerLink::cleanup()
{
    delete m_server;
    delete m_target;
}

bool TestFollowerLink::start(bool network)
{
    RemoteServerSettings settings;
    settings.port = m_port; // any free port the first time, the same one again
    settings.allowNetwork = network;
    settings.token = QStringLiteral("s3cret-token-of-sixteen");
    const bool started = m_server->start(settings);
    m_port = m_server->port();
    return started;
}

QUrl TestFollowerLink::address(const QString &token) const
{
    return leaderaddress(QStringLiteral("127.0.0.1:%1").arg(m_port), token).value_or(QUrl());
}

void TestFollowerLink::addressesOfLeaders()
{
    QCOMPARE(leaderaddress(QStringLiteral("studio-a"))->toString(),
             QStringLiteral("ws://studio-a:7755/socket"));
    QCOMPARE(leaderaddress(QStringLiteral("192.168.1.20:7800"))->port(), 7800);
    QCOMPARE(leaderaddress(QStringLiteral("[::1]:7800"))->host(), QStringLiteral("::1"));
    QCOMPARE(leaderaddress(QStringLiteral(" prompter.local "), QStringLiteral("abc"))->query(),
             QStringLiteral("token=abc"));
    for (const QString &wrong :
         {QString(), QStringLiteral("host:0"), QStringLiteral("host:70000"), QStringLiteral("http://host"),
          QStringLiteral("host:12:13"), QStringLiteral("ho st"), QStringLiteral("[::1"),
          QStringLiteral("host/path")})
        QVERIFY2(!leaderaddress(wrong), qPrintable(wrong));
}

void TestFollowerLink::onlyStatesAPrompterCouldHaveAreBelieved()
{
    PrompterSnapshot state;
    state.position = 1200;
    state.pageBottom = 50000;
    state.time = 1.7e12;
    state.rate = -180;
    state.running = true;
    state.upsideDown = true;
    state.scriptPath = QStringLiteral("/news/late.vnr");
    QCOMPARE(snapshotfrommessage(snapshotmessage(state)), std::optional<PrompterSnapshot>(state));
    const auto with = [&](const char *name, const QJsonValue &value) {
        QJsonObject message = snapshotmessage(state);
        message.insert(QLatin1String(name), value);
        return snapshotfrommessage(message);
    };
    QVERIFY(!with("type", QStringLiteral("reply")));
    QVERIFY(!with("position", -1));
    QVERIFY(!with("position", 50001)); // past the page's bottom
    QVERIFY(!with("position", QStringLiteral("12")));
    QVERIFY(!with("rate", 1e12));
    QVERIFY(!with("time", QJsonValue()));
    QVERIFY(!snapshotfrommessage(QJsonObject{}));
}

void TestFollowerLink::theScriptAndTheStateArrive()
{
    m_target->state.position = 300;
    m_target->state.pageBottom = 9000;
    FollowerLink link;
    QSignalSpy scripts(&link, &FollowerLink::scriptReceived);
    QSignalSpy states(&link, &FollowerLink::stateReceived);
    link.follow(address());
    QVERIFY(scripts.wait(5000));
    const LeaderScript script = scripts.constFirst().constFirst().value<LeaderScript>();
    QCOMPARE(script.pagelines, QStringList{QStringLiteral("Good evening<br>")});
    QCOMPARE(script.generation, 4);
    QVERIFY(link.isConnected());
    QVERIFY(QTest::qWaitFor([&] { return !states.isEmpty(); }, 5000));
    QCOMPARE(states.constLast().constFirst().value<PrompterSnapshot>().position, 300);
    // The clocks are compared by round trips; on one computer they agree within the trip.
    QVERIFY(QTest::qWaitFor([&] { return link.clockOffset().known(); }, 5000));
    QVERIFY2(std::abs(link.clockOffset().offset()) <= link.clockOffset().delay() + 2,
             qPrintable(QString::number(link.clockOffset().offset())));
    // A change is told.
    m_target->state.position = 900;
    m_server->stateChanged();
    QVERIFY(QTest::qWaitFor(
        [&] { return states.constLast().constFirst().value<PrompterSnapshot>().position == 900; }, 5000));
}

void TestFollowerLink::aLostLineIsTriedAgain()
{
    FollowerLink link;
    QSignalSpy connection(&link, &FollowerLink::connectionChanged);
    QSignalSpy scripts(&link, &FollowerLink::scriptReceived);
    link.follow(address());
    QVERIFY(scripts.wait(5000));
    m_server->stop();
    QVERIFY(QTest::qWaitFor([&] { return !link.isConnected(); }, 5000));
    QCOMPARE(connection.constLast().constFirst().toBool(), false);
    QVERIFY(start());
    // Within a retry's interval the line stands again, and the script comes again.
    QVERIFY(QTest::qWaitFor([&] { return scripts.size() == 2; }, FollowerLink::retryIntervalMs * 3));
    QVERIFY(link.isConnected());
}

void TestFollowerLink::aWrongTokenGetsNothing()
{
    m_server->stop();
    QVERIFY(start(true));
    FollowerLink stranger;
    QSignalSpy strangerScripts(&stranger, &FollowerLink::scriptReceived);
    stranger.follow(address(QStringLiteral("guessed-token-of-sixteen")));
    FollowerLink known;
    QSignalSpy knownScripts(&known, &FollowerLink::scriptReceived);
    known.follow(address(QStringLiteral("s3cret-token-of-sixteen")));
    QVERIFY(knownScripts.wait(5000));
    QTest::qWait(300);
    QVERIFY(strangerScripts.isEmpty());
    QVERIFY(!stranger.isConnected());
}

VANTELL_CORE_TEST_MAIN(TestFollowerLink)
#include "test_followerlink.moc"

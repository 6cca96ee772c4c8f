#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QWebSocket>
#include <QWebSocketServer>

#include "remote/faketarget.h"
#include "core/remote/followerlink.h"
#include "core/remote/leaderlist.h"
#include "core/remote/readingaidsmessage.h"
#include "core/remote/remoteserver.h"
#include "testsupport/testmain.h"

// A networked talent display's line to its prompter: the address it is given, the state it
// believes, the leaders it goes through in turn, and the line itself over a real control API on
// loopback (the script, the state on our clock, a lost line tried again, the next leader when one
// goes or falls silent, a wrong token).
class TestFollowerLink : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addressesOfLeaders();
    void leadersAreTriedInTurn();
    void aListOfLeadersIsReadWhole();
    void onlyStatesAPrompterCouldHaveAreBelieved();
    void readingAidsAndTalentMessageAreBelievedWholeOrNotAtAll();
    void theScriptAndTheStateArrive();
    void onlyAStandbyIsSentTheScriptsTextAndEachEditOfIt();
    void aLostLineIsTriedAgain();
    void aWrongTokenGetsNothing();
    void aDisplayMovesOnToTheNextLeader();
    void aLeaderThatFallsSilentCountsAsGone();

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

void TestFollowerLink::leadersAreTriedInTurn()
{
    const QUrl prompter(QStringLiteral("ws://a:7755/socket"));
    const QUrl standby(QStringLiteral("ws://b:7755/socket"));
    LeaderList leaders({prompter, standby});
    QCOMPARE(leaders.current(), prompter);
    // The prompter goes: its standby at once, with no wait.
    QVERIFY(!leaders.failed());
    QCOMPARE(leaders.current(), standby);
    leaders.answered();
    // The standby goes too: the prompter again at once, and after that round a wait.
    QVERIFY(!leaders.failed());
    QCOMPARE(leaders.current(), prompter);
    QVERIFY(leaders.failed());
    QCOMPARE(leaders.current(), standby);
    QVERIFY(!leaders.failed());
    // One leader alone: every failure waits, as a single display always did.
    LeaderList one({prompter});
    QVERIFY(one.failed());
    QVERIFY(one.failed());
    QCOMPARE(one.current(), prompter);
}

void TestFollowerLink::aListOfLeadersIsReadWhole()
{
    const std::optional<QList<QUrl>> two =
        LeaderList::parse(QStringLiteral("studio-a,192.168.1.20:7800,[::1]:7801"), QStringLiteral("abc"));
    QVERIFY(two);
    QCOMPARE(two->size(), 3);
    QCOMPARE(two->at(1).toString(), QStringLiteral("ws://192.168.1.20:7800/socket?token=abc"));
    QCOMPARE(two->at(2).host(), QStringLiteral("::1"));
    // The same address twice is followed once.
    QCOMPARE(LeaderList::parse(QStringLiteral("a,a:7755"))->size(), 1);
    for (const QString &wrong : {QString(), QStringLiteral(","), QStringLiteral("a,,b"),
                                 QStringLiteral("a,http://b"), QStringLiteral("a, b:0")})
        QVERIFY2(!LeaderList::parse(wrong), qPrintable(wrong));
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
    state.role = QStringLiteral("standby");
    state.layoutWidth = 1280;
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
    // A width no window has is not laid out at, and a role is one of the two.
    QCOMPARE(with("layoutWidth", 1e7)->layoutWidth, 0);
    QCOMPARE(with("layoutWidth", -5)->layoutWidth, 0);
    QCOMPARE(with("role", QStringLiteral("boss"))->role, QStringLiteral("prompter"));
}

void TestFollowerLink::readingAidsAndTalentMessageAreBelievedWholeOrNotAtAll()
{
    PrompterSnapshot state;
    state.pageBottom = 800;
    // A prompter older than these tells neither: a standby keeps its own.
    QJsonObject told = snapshotmessage(state);
    told.remove(QStringLiteral("talentMessage"));
    QVERIFY(snapshotfrommessage(told));
    QVERIFY(!snapshotfrommessage(told)->readingAids);

    ReadingAidSettings aids;
    aids.hideMarkers = true;
    aids.jumpLines = 12;
    aids.readingLine.onPrompter = true;
    aids.readingLine.style = CueStyle::Band;
    aids.readingLine.colour = QColor(64, 208, 255);
    aids.readingLine.opacity = 60;
    aids.countdown = true;
    aids.countdownSeconds = 7;
    aids.clocksOnTalent = true;
    aids.wordsPerMinute = 150;
    aids.flashMessages = true;
    state.readingAids = aids;
    state.showClockMs = 3723000;
    state.showClockRunning = true;
    state.talentMessage = QStringLiteral("Wrap up — 30 s ✓");
    state.countdownLeft = 4;
    // Through the wire's text, a third of the view's height and all.
    const auto overTheWire = [](const QJsonObject &message) {
        return snapshotfrommessage(QJsonDocument::fromJson(QJsonDocument(message).toJson()).object());
    };
    QCOMPARE(overTheWire(snapshotmessage(state)), std::optional<PrompterSnapshot>(state));
    state.readingAids = ReadingAidSettings();
    QCOMPARE(overTheWire(snapshotmessage(state)), std::optional<PrompterSnapshot>(state));

    const QJsonObject good = readingaidsmessage(aids);
    const auto withAid = [&](const char *name, const QJsonValue &value) {
        QJsonObject message = snapshotmessage(state);
        QJsonObject changed = good;
        changed.insert(QLatin1String(name), value);
        message.insert(QStringLiteral("readingAids"), changed);
        return snapshotfrommessage(message);
    };
    const auto withLine = [&](const char *name, const QJsonValue &value) {
        QJsonObject line = good.value(QLatin1String("readingLine")).toObject();
        line.insert(QLatin1String(name), value);
        return withAid("readingLine", line);
    };
    QCOMPARE(withAid("jumpLines", 50)->readingAids->jumpLines, 50);
    QVERIFY(withLine("colour", QStringLiteral("#ff4040")));
    // A value no prompter has refuses the whole state, not just the aid.
    for (const QJsonValue &lines :
         {QJsonValue(0), QJsonValue(51), QJsonValue(5.5), QJsonValue(QStringLiteral("5"))})
        QVERIFY(!withAid("jumpLines", lines));
    QVERIFY(!withAid("countdownSeconds", 2));
    QVERIFY(!withAid("wordsPerMinute", 1e9));
    QVERIFY(!withAid("hideMarkers", 1));
    QVERIFY(!withAid("readingLine", QStringLiteral("on")));
    QVERIFY(!withLine("height", 1.5));
    QVERIFY(!withLine("height", QJsonValue()));
    QVERIFY(!withLine("opacity", 5));
    QVERIFY(!withLine("style", QStringLiteral("zigzag")));
    QVERIFY(!withLine("colour", QStringLiteral("not a colour")));
    QVERIFY(!withLine("colour", QStringLiteral("#") + QString(100000, QLatin1Char('f'))));
    QJsonObject missing = good;
    missing.remove(QStringLiteral("flashMessages"));
    QJsonObject message = snapshotmessage(state);
    message.insert(QStringLiteral("readingAids"), missing);
    QVERIFY(!snapshotfrommessage(message));
    message.insert(QStringLiteral("readingAids"), QJsonArray{good});
    QVERIFY(!snapshotfrommessage(message));

    // The show clock's time is a time, and it runs or not.
    const auto withClock = [&](const QJsonValue &ms, const QJsonValue &running) {
        QJsonObject message = snapshotmessage(state);
        message.insert(QStringLiteral("showClockMs"), ms);
        message.insert(QStringLiteral("showClockRunning"), running);
        return snapshotfrommessage(message);
    };
    QCOMPARE(withClock(0, false)->showClockMs, std::optional<qint64>(0));
    QVERIFY(!withClock(-1, true));
    QVERIFY(!withClock(1e15, true));
    QVERIFY(!withClock(QStringLiteral("01:02:03"), true));
    QVERIFY(!withClock(5000, QJsonValue()));

    // The talent message is as long as a remote may send, and text.
    message = snapshotmessage(state);
    message.insert(QStringLiteral("talentMessage"), QString(maxTalentMessageLength, QLatin1Char('x')));
    QCOMPARE(snapshotfrommessage(message)->talentMessage.size(), maxTalentMessageLength);
    message.insert(QStringLiteral("talentMessage"), QString(maxTalentMessageLength + 1, QLatin1Char('x')));
    QVERIFY(!snapshotfrommessage(message));
    message.insert(QStringLiteral("talentMessage"), 42);
    QVERIFY(!snapshotfrommessage(message));

    // A countdown's seconds left: whole, never negative, never an hour.
    message = snapshotmessage(state);
    for (const QJsonValue &left : {QJsonValue(-1), QJsonValue(1e6), QJsonValue(QStringLiteral("3"))}) {
        message.insert(QStringLiteral("countdownLeft"), left);
        QVERIFY(!snapshotfrommessage(message));
    }
    message.remove(QStringLiteral("countdownLeft"));
    QCOMPARE(snapshotfrommessage(message)->countdownLeft, 0);
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

void TestFollowerLink::onlyAStandbyIsSentTheScriptsTextAndEachEditOfIt()
{
    FollowerLink display;
    FollowerLink standby;
    standby.setWantsScriptText(true);
    QList<LeaderScriptText> texts;
    int textsToDisplay = 0;
    connect(&standby, &FollowerLink::scriptTextReceived, this,
            [&texts](const LeaderScriptText &text) { texts << text; });
    connect(&display, &FollowerLink::scriptTextReceived, this, [&textsToDisplay] { ++textsToDisplay; });
    int editsToDisplay = 0;
    int statesToDisplay = 0;
    connect(&display, &FollowerLink::editReceived, this, [&editsToDisplay] { ++editsToDisplay; });
    connect(&display, &FollowerLink::stateReceived, this, [&statesToDisplay] { ++statesToDisplay; });
    display.follow(address());
    standby.follow(address());
    // Each is sent the page and then the state; the text, to those who ask, between the two.
    QVERIFY(QTest::qWaitFor([&] { return texts.size() == 1 && statesToDisplay > 1; }, 5000));
    QCOMPARE(textsToDisplay, 0);
    QCOMPARE(texts.constFirst().lines, QStringList{QStringLiteral("Good evening")});
    QCOMPARE(texts.constFirst().path, QStringLiteral("/news.txt"));
    QCOMPARE(texts.constFirst().edits, 0);
    QVERIFY(!texts.constFirst().markup);

    // An edit made in place: the page's edit to both, and the text as it is now to the standby.
    m_target->edits = 1;
    PageEdit edit;
    edit.changes = {LineChange{0, 1, 0, 1}};
    edit.lines = {{QStringLiteral("Good night<br>")}};
    edit.linesBefore = 2;
    edit.serial = 1;
    m_server->scriptEdited(edit);
    QVERIFY(QTest::qWaitFor([&] { return texts.size() == 2 && editsToDisplay == 1; }, 5000));
    QCOMPARE(texts.constLast().edits, 1);
    QCOMPARE(textsToDisplay, 0);
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

void TestFollowerLink::aDisplayMovesOnToTheNextLeader()
{
    FakeTarget standbyTarget;
    standbyTarget.state.position = 4321;
    standbyTarget.state.pageBottom = 9000;
    RemoteServer standby(standbyTarget);
    RemoteServerSettings anyPort;
    anyPort.port = 0;
    QVERIFY(standby.start(anyPort));
    const QUrl standbyAddress =
        leaderaddress(QStringLiteral("127.0.0.1:%1").arg(standby.port())).value_or(QUrl());
    FollowerLink link;
    QSignalSpy states(&link, &FollowerLink::stateReceived);
    link.follow(QList<QUrl>{address(), standbyAddress});
    QVERIFY(QTest::qWaitFor([&] { return !states.isEmpty(); }, 5000));
    QCOMPARE(link.leader(), address());
    QCOMPARE(standby.clientCount(), 0);
    // The prompter goes: the next one is followed at once, not after a retry's wait.
    m_server->stop();
    QElapsedTimer lost;
    lost.start();
    QVERIFY(QTest::qWaitFor(
        [&] { return states.constLast().constFirst().value<PrompterSnapshot>().position == 4321; }, 5000));
    QVERIFY2(lost.elapsed() < FollowerLink::retryIntervalMs, qPrintable(QString::number(lost.elapsed())));
    QCOMPARE(link.leader(), standbyAddress);
    // Both gone: a wait, then round the list again, and the first that answers is followed.
    standby.stop();
    QVERIFY(QTest::qWaitFor([&] { return !link.isConnected(); }, 5000));
    QVERIFY(start());
    QVERIFY(QTest::qWaitFor([&] { return link.isConnected(); }, FollowerLink::retryIntervalMs * 4));
    QCOMPARE(link.leader(), address());
}

void TestFollowerLink::aLeaderThatFallsSilentCountsAsGone()
{
    // A leader whose cable is pulled: the line stays open, and nothing comes on it any more.
    QWebSocketServer silent(QStringLiteral("silent"), QWebSocketServer::NonSecureMode);
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    QList<QWebSocket *> accepted;
    connect(&silent, &QWebSocketServer::newConnection, this,
            [&] { accepted << silent.nextPendingConnection(); });
    const QUrl silentAddress =
        leaderaddress(QStringLiteral("127.0.0.1:%1").arg(silent.serverPort())).value_or(QUrl());
    m_target->state.position = 777;
    m_target->state.pageBottom = 9000;
    FollowerLink link;
    QSignalSpy states(&link, &FollowerLink::stateReceived);
    link.follow(QList<QUrl>{silentAddress, address()});
    QVERIFY(QTest::qWaitFor([&] { return link.isConnected(); }, 5000));
    QElapsedTimer connected;
    connected.start();
    QCOMPARE(link.leader(), silentAddress);
    QVERIFY(QTest::qWaitFor([&] { return !states.isEmpty(); }, FollowerLink::silenceLimitMs * 3));
    QVERIFY2(connected.elapsed() >= FollowerLink::silenceLimitMs - FollowerLink::pingIntervalMs,
             qPrintable(QString::number(connected.elapsed())));
    QCOMPARE(states.constLast().constFirst().value<PrompterSnapshot>().position, 777);
    QCOMPARE(link.leader(), address());
    qDeleteAll(accepted);
}

VANTELL_CORE_TEST_MAIN(TestFollowerLink)
#include "test_followerlink.moc"

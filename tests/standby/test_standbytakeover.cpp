#include <optional>

#include <QElapsedTimer>
#include <QHash>
#include <QJsonArray>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "core/remote/followerlink.h"
#include "testsupport/prompterprocess.h"
#include "testsupport/testmain.h"

// A standby prompter as processes on loopback: the prompter scrolls, its standby mirrors it and
// passes commands on to it, answering each with the prompter's answer; the prompter is killed,
// and the standby carries on from where the prompter's motion had brought the page, soon, and
// acts on commands itself; the old prompter, back, stands by for it, and answers a command that
// the hung leader does not. An edit made on the prompter is on the standby's page, and stays
// there when the standby takes over, which opens the newsroom's ports. A standby refused by its
// prompter says why and never takes over a show it never had.
class TestStandbyTakeover : public QObject {
    Q_OBJECT
private slots:
    void theStandbyCarriesOnWhenThePrompterDies();
    void aWrongTokenGetsNoShow();
    void aPrompterHandedOverStandsByWithItsOwnToken();

private:
    QTemporaryDir m_folder;
};

namespace {

QString address(quint16 port)
{
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

QJsonObject report(const QJsonObject &state)
{
    return state.value(QLatin1String("standby")).toObject();
}

bool ok(const QJsonObject &answer)
{
    return answer.value(QLatin1String("ok")).toBool();
}

// One line of the numbered script on a page of the usual font, in pixels.
constexpr double lineHeight = 40;

// The page lines the prompter whose control API is on `port` gives a display that comes now.
QStringList pageOf(quint16 port)
{
    FollowerLink link;
    std::optional<QStringList> page;
    QObject::connect(&link, &FollowerLink::scriptReceived,
                     [&page](const LeaderScript &script) { page = script.pagelines; });
    link.follow(*leaderaddress(address(port)));
    if (!QTest::qWaitFor([&page] { return page.has_value(); }, 5000))
        return {};
    return *page;
}

// Whether a program listens on `port` of this computer.
bool listensOn(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(1000);
}

// The state of a prompter whose page is mirrored, with the reading line on, the talent told to
// wrap up and the show clock running.
bool showsThePromptersAids(const QJsonObject &state)
{
    const QJsonObject aids = state.value(QLatin1String("readingAids")).toObject();
    return state.value(QLatin1String("mirror")).toBool() &&
           aids.value(QLatin1String("readingLine")).toObject().value(QLatin1String("onPrompter")).toBool() &&
           state.value(QLatin1String("talentMessage")).toString() == QLatin1String("Wrap up now") &&
           state.value(QLatin1String("showClockRunning")).toBool();
}

bool holds(const QStringList &page, const QString &words)
{
    return page.join(QLatin1Char('\n')).contains(words);
}

} // namespace

void TestStandbyTakeover::theStandbyCarriesOnWhenThePrompterDies()
{
    const QString script = PrompterProcess::numberedScript(m_folder.path(), 400);
    PrompterProcess prompter(PrompterProcess::freePort(), {script});
    QVERIFY(prompter.waitForState(
        [](const QJsonObject &state) { return state.value(QLatin1String("pageBottom")).toInt() > 0; },
        30000));
    // The silence it waits for, as the options window keeps it, and the newsroom's ports.
    const quint16 newsroomPort = PrompterProcess::freePort();
    PrompterProcess standby(
        PrompterProcess::freePort(), {QStringLiteral("--standby"), address(prompter.port())},
        QStringLiteral("[Standby]\nTakeoverMs=700\n[Newsroom]\nEnabled=1\nLowerPort=%1\nUpperPort=%2\n"
                       "ListenAddress=127.0.0.1\n")
            .arg(newsroomPort)
            .arg(PrompterProcess::freePort()));
    // It answers as the standby, and its page comes to stand where the prompter's does.
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) {
            return state.value(QLatin1String("role")).toString() == QLatin1String("standby") &&
                   report(state).value(QLatin1String("connected")).toBool() &&
                   state.value(QLatin1String("pageBottom")).toInt() > 0;
        },
        30000));
    QCOMPARE(report(standby.state()).value(QLatin1String("of")).toString(), address(prompter.port()));
    QCOMPARE(report(standby.state()).value(QLatin1String("takeoverMs")).toInt(), 700);
    // The newsroom is the prompter's while this one stands by.
    QVERIFY(!listensOn(newsroomPort));

    // Commands given to the standby drive the prompter, and are answered with the prompter's
    // answer: a refusal in the prompter's own words, over HTTP with its status and over the
    // WebSocket to the sender's id; and the standby's state tells the prompter's motion.
    const QByteArray noEntry = R"({"command":"queue-entry","value":5})";
    int status = 0;
    const QString refusal = prompter.command(noEntry, &status).value(QLatin1String("error")).toString();
    QCOMPARE(status, 409);
    QVERIFY(!refusal.isEmpty());
    const QJsonObject passedOn = standby.command(noEntry, &status);
    QCOMPARE(passedOn.value(QLatin1String("error")).toString(), refusal);
    QCOMPARE(status, 409);
    FollowerLink socket;
    QHash<QString, QJsonObject> replies;
    QObject::connect(&socket, &FollowerLink::replyReceived, [&replies](const QJsonObject &reply) {
        replies.insert(reply.value(QLatin1String("id")).toString(), reply);
    });
    socket.follow(*leaderaddress(address(standby.port())));
    QVERIFY(QTest::qWaitFor([&socket] { return socket.isConnected(); }, 5000));
    QVERIFY(socket.send(QJsonObject{{QStringLiteral("command"), QStringLiteral("queue-entry")},
                                    {QStringLiteral("value"), 5},
                                    {QStringLiteral("id"), QStringLiteral("refused")}}));
    QVERIFY(socket.send(QJsonObject{{QStringLiteral("command"), QStringLiteral("speed")},
                                    {QStringLiteral("value"), 120},
                                    {QStringLiteral("id"), QStringLiteral("done")}}));
    QVERIFY(QTest::qWaitFor([&replies] { return replies.size() == 2; }, 5000));
    QCOMPARE(replies.value(QStringLiteral("refused")).value(QLatin1String("error")).toString(), refusal);
    QVERIFY(!ok(replies.value(QStringLiteral("refused"))));
    QVERIFY(ok(replies.value(QStringLiteral("done"))));
    QVERIFY(ok(standby.command(R"({"command":"resume"})", &status)));
    QCOMPARE(status, 200);
    QVERIFY(prompter.waitForState(
        [](const QJsonObject &state) {
            return state.value(QLatin1String("running")).toBool() &&
                   state.value(QLatin1String("speed")).toInt() == 120;
        },
        5000));
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) {
            return state.value(QLatin1String("running")).toBool() &&
                   state.value(QLatin1String("position")).toInt() > 20 &&
                   report(state).value(QLatin1String("errorPx")).toDouble(1e9) < lineHeight / 4;
        },
        10000));
    // A director's edit on the prompter reaches the standby's page in place, as it is.
    const QString edited = QStringLiteral("Zebra crossing ahead");
    QVERIFY(ok(
        prompter.request(QStringLiteral("/api/edit"), R"({"paragraph":3,"text":"Zebra crossing ahead"})")));
    QStringList prompterPage;
    QTRY_VERIFY_WITH_TIMEOUT(holds(prompterPage = pageOf(prompter.port()), edited), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(pageOf(standby.port()), prompterPage, 10000);
    // Nonsense is refused by the standby's own checks: it never reaches the prompter.
    QVERIFY(!ok(standby.command(R"({"command":"speed","value":9000})")));
    // The prompter's mirror, reading line, message for the talent and show clock are set on the
    // standby too.
    QVERIFY(ok(prompter.command(R"({"command":"mirror","value":true})")));
    QVERIFY(ok(prompter.command(R"({"command":"reading-line","value":true})")));
    QVERIFY(ok(prompter.command(R"({"command":"talent-message","value":"Wrap up now"})")));
    QVERIFY(ok(prompter.command(R"({"command":"show-clock-start"})")));
    QVERIFY(standby.waitForState(showsThePromptersAids, 10000));
    // Set there, not passed back: the prompter keeps them as the operator set them.
    QVERIFY(showsThePromptersAids(prompter.state()));
    // The page built again mirrored stands where the prompter's does before it dies.
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) {
            return state.value(QLatin1String("pageBottom")).toInt() > 0 &&
                   report(state).value(QLatin1String("errorPx")).toDouble(1e9) < lineHeight / 4;
        },
        10000));

    const QJsonValue prompterParagraphs =
        prompter.request(QStringLiteral("/api/paragraphs")).value(QLatin1String("paragraphs"));
    QVERIFY(prompterParagraphs.toArray().size() > 300);

    // From the signal on: the program's end is reaped a while after it.
    QElapsedTimer sinceDeath;
    sinceDeath.start();
    prompter.kill();
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) {
            return state.value(QLatin1String("role")).toString() == QLatin1String("prompter");
        },
        5000));
    const qint64 takeoverMs = sinceDeath.elapsed();
    // 700 ms of silence, then a check every 50 ms: soon after, even on a busy machine.
    QVERIFY2(takeoverMs < 1700, qPrintable(QString::number(takeoverMs)));
    QJsonObject tookOver;
    QVERIFY(standby.waitForState(
        [&tookOver](const QJsonObject &state) {
            tookOver = report(state).value(QLatin1String("tookOver")).toObject();
            return tookOver.contains(QLatin1String("positionErrorPx"));
        },
        5000));
    QVERIFY(!tookOver.value(QLatin1String("byHand")).toBool(true));
    QVERIFY(tookOver.value(QLatin1String("silentMs")).toInt() >= 700);
    QCOMPARE(tookOver.value(QLatin1String("from")).toString(), address(prompter.port()));
    // No jump: the page stood within one line of where the prompter's motion had brought it.
    QVERIFY2(tookOver.value(QLatin1String("positionErrorPx")).toDouble(1e9) < lineHeight,
             qPrintable(QString::number(tookOver.value(QLatin1String("positionErrorPx")).toDouble())));

    // It runs on at the prompter's speed, and acts on commands itself now.
    const QJsonObject after = standby.state();
    QCOMPARE(after.value(QLatin1String("speed")).toInt(), 120);
    QVERIFY(after.value(QLatin1String("running")).toBool());
    const int position = after.value(QLatin1String("position")).toInt();
    QVERIFY(standby.waitForState(
        [position](const QJsonObject &state) {
            return state.value(QLatin1String("position")).toInt() > position + 5;
        },
        5000));
    QVERIFY(holds(pageOf(standby.port()), edited));
    // The show looks as it did, its clock running on.
    QVERIFY(showsThePromptersAids(standby.state()));
    const qint64 clockAtTakeover = qint64(standby.state().value(QLatin1String("showClockMs")).toDouble());
    QVERIFY(standby.waitForState(
        [clockAtTakeover](const QJsonObject &state) {
            return state.value(QLatin1String("showClockMs")).toDouble() > clockAtTakeover + 200;
        },
        5000));
    // The script is its own now, edit and all, with its file (on this computer too).
    QCOMPARE(standby.request(QStringLiteral("/api/paragraphs")).value(QLatin1String("paragraphs")),
             prompterParagraphs);
    QCOMPARE(standby.state().value(QLatin1String("script")).toString(), script);
    QVERIFY(
        ok(standby.request(QStringLiteral("/api/edit"), R"({"paragraph":5,"text":"Yak herding season"})")));
    QTRY_VERIFY_WITH_TIMEOUT(holds(pageOf(standby.port()), QStringLiteral("Yak herding season")), 10000);
    QVERIFY(holds(pageOf(standby.port()), edited));
    // The newsroom finds the show here now.
    QTRY_VERIFY_WITH_TIMEOUT(listensOn(newsroomPort), 5000);
    QVERIFY(ok(standby.command(R"({"command":"pause"})")));
    QVERIFY(!standby.state().value(QLatin1String("running")).toBool(true));
    // It is no standby any more.
    QVERIFY(!ok(standby.command(R"({"command":"take-over"})")));

    // The old prompter comes back: it does not take the show back, but stands by for the one
    // that leads it now, which stays the prompter.
    PrompterProcess returned(prompter.port(), {script});
    QVERIFY(returned.waitForState(
        [&standby](const QJsonObject &state) {
            return state.value(QLatin1String("role")).toString() == QLatin1String("standby") &&
                   report(state).value(QLatin1String("of")).toString() == address(standby.port()) &&
                   report(state).value(QLatin1String("connected")).toBool();
        },
        30000));
    QCOMPARE(standby.state().value(QLatin1String("role")).toString(), QStringLiteral("prompter"));
    // Commands given to it drive the show's leader.
    QVERIFY(ok(returned.command(R"({"command":"resume"})")));
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) { return state.value(QLatin1String("running")).toBool(); }, 5000));

    // The leader hangs: a command given to its standby is answered that it did not answer, and
    // soon (the takeover time, or the answer's limit), not never.
    standby.setFrozen(true);
    QElapsedTimer asked;
    asked.start();
    const QJsonObject unanswered = returned.command(R"({"command":"pause"})", &status);
    const qint64 answerMs = asked.elapsed();
    standby.setFrozen(false);
    QVERIFY(!ok(unanswered));
    QCOMPARE(status, 409);
    const QString why = unanswered.value(QLatin1String("error")).toString();
    QVERIFY2(why.contains(QLatin1String("did not answer")) && why.contains(address(standby.port())),
             qPrintable(why));
    QVERIFY2(answerMs < 1500, qPrintable(QString::number(answerMs)));
}

void TestStandbyTakeover::aWrongTokenGetsNoShow()
{
    const QString script = PrompterProcess::numberedScript(m_folder.path(), 40);
    PrompterProcess prompter(PrompterProcess::freePort(), {script},
                             QStringLiteral("[Remote]\nAllowNetwork=1\nToken=the-right-token-0123\n"));
    PrompterProcess standby(PrompterProcess::freePort(),
                            {QStringLiteral("--standby"), address(prompter.port()), QStringLiteral("--token"),
                             QStringLiteral("a-wrong-token-45678")});
    // It says that the prompter cannot be reached, and why.
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) {
            return state.value(QLatin1String("role")).toString() == QLatin1String("standby") &&
                   report(state).value(QLatin1String("problem")).toString().contains(QLatin1String("token"));
        },
        30000));
    // A command given to it is not carried out, and it says so.
    const QJsonObject refused = standby.command(R"({"command":"resume"})");
    QVERIFY(!ok(refused));
    QVERIFY2(refused.value(QLatin1String("error")).toString().contains(address(prompter.port())),
             qPrintable(refused.value(QLatin1String("error")).toString()));
    // A standby that never had the show does not take it over, however long the silence.
    QTest::qWait(1500);
    QCOMPARE(standby.state().value(QLatin1String("role")).toString(), QStringLiteral("standby"));
}

void TestStandbyTakeover::aPrompterHandedOverStandsByWithItsOwnToken()
{
    // Each machine has a token of its own; the standby was given the prompter's.
    const QString prompterToken = QStringLiteral("token-of-the-prompter-0123");
    const QString script = PrompterProcess::numberedScript(m_folder.path(), 40);
    // It counts three seconds into a take.
    PrompterProcess prompter(
        PrompterProcess::freePort(), {script},
        QStringLiteral("[Remote]\nAllowNetwork=1\nToken=%1\n[ReadingAids]\nCountdown=1\nCountdownSeconds=3\n")
            .arg(prompterToken));
    PrompterProcess standby(
        PrompterProcess::freePort(),
        {QStringLiteral("--standby"), address(prompter.port()), QStringLiteral("--token"), prompterToken},
        QStringLiteral("[Remote]\nAllowNetwork=1\nToken=token-of-the-standby-4567\n"));
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) {
            return report(state).value(QLatin1String("connected")).toBool() &&
                   state.value(QLatin1String("pageBottom")).toInt() > 0;
        },
        30000));
    // The standby counts with its prompter; taking the show over while it counts, it counts on
    // and starts the run at the end.
    QVERIFY(ok(prompter.command(R"({"command":"resume"})")));
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) { return state.value(QLatin1String("countdownLeft")).toInt() > 0; },
        5000));
    QVERIFY(ok(standby.command(R"({"command":"take-over"})")));
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) {
            return state.value(QLatin1String("role")).toString() == QLatin1String("prompter") &&
                   state.value(QLatin1String("running")).toBool() &&
                   state.value(QLatin1String("countdownLeft")).toInt() == 0;
        },
        6000));
    // The old prompter, told that the show is led there, reaches its new leader with the token
    // it has: the one the show's controls were given.
    QVERIFY(prompter.waitForState(
        [&standby](const QJsonObject &state) {
            return state.value(QLatin1String("role")).toString() == QLatin1String("standby") &&
                   report(state).value(QLatin1String("of")).toString() == address(standby.port()) &&
                   report(state).value(QLatin1String("connected")).toBool();
        },
        10000));
    QVERIFY(ok(prompter.command(R"({"command":"pause"})")));
    QVERIFY(standby.waitForState(
        [](const QJsonObject &state) { return !state.value(QLatin1String("running")).toBool(true); }, 5000));
}

VANTELL_CORE_TEST_MAIN(TestStandbyTakeover)
#include "test_standbytakeover.moc"

#include <QNetworkDatagram>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QUdpSocket>

#include "core/engine/timereadout.h"
#include "remote/faketarget.h"
#include "core/remote/osccommand.h"
#include "core/remote/oscserver.h"
#include "testsupport/testmain.h"

// The control API over OSC: datagrams read and written, addresses as commands the way control
// surfaces send them, and the server over real UDP sockets on loopback, driven by liblo's own
// `oscsend` and by a surface of our own that subscribes to the state.
class TestOsc : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void datagramsRoundTrip();
    void brokenDatagramsAreNoMessages();
    void addressesBecomeCommands();
    void stateGoesValueByValue();

    void oscsendDrivesTheServer();
    void subscribersHearTheStateAndReplies();
    void theNetworkNeedsTheToken();
    void aFloodChangesOnlyWhatItAsks();
    void aTakenPortIsReported();
    void lateAnswersGoToTheSender();

private:
    bool start(bool network = false);
    // Sends `message` from the test's surface and waits for the server's answer.
    std::optional<OscMessage> ask(const OscMessage &message);
    QList<OscMessage> receive(int atLeast, int timeoutMs = 3000);

    FakeTarget *m_target = nullptr;
    OscServer *m_server = nullptr;
    QUdpSocket *m_surface = nullptr;
};

namespace {
const QString token = QStringLiteral("s3cret-token-of-sixteen");

OscMessage message(const QString &path, const QVariantList &arguments = {})
{
    return OscMessage{path, arguments};
}
} // namespace

void TestOsc::init()
{
    m_target = new FakeTarget;
    m_server = new OscServer(*m_target);
    m_surface = new QUdpSocket;
    QVERIFY(m_surface->bind(QHostAddress::LocalHost, 0));
}

void TestOsc::cleanup()
{
    delete m_surface;
    delete m_server;
    delete m_target;
}

bool TestOsc::start(bool network)
{
    return m_server->start(OscServerSettings{0, network, network ? token : QString()});
}

QList<OscMessage> TestOsc::receive(int atLeast, int timeoutMs)
{
    QList<OscMessage> received;
    // Fewer than asked for is an answer too: the caller judges what came.
    (void)QTest::qWaitFor(
        [&] {
            while (m_surface->hasPendingDatagrams()) {
                const std::optional<OscMessage> read = readoscmessage(m_surface->receiveDatagram().data());
                if (read)
                    received << *read;
            }
            return received.size() >= atLeast;
        },
        timeoutMs);
    return received;
}

std::optional<OscMessage> TestOsc::ask(const OscMessage &sent)
{
    m_surface->writeDatagram(oscdatagram(sent), QHostAddress::LocalHost, m_server->port());
    const QList<OscMessage> answers = receive(1);
    if (answers.isEmpty())
        return std::nullopt;
    return answers.constFirst();
}

void TestOsc::datagramsRoundTrip()
{
    const OscMessage sent =
        message(QStringLiteral("/vantell/script"),
                {QStringLiteral("Nachrichten"), QStringLiteral("Grüße, 你好\nzweite Zeile"), 7,
                 qint64(1) << 40, 2.5, true, false, QVariant()});
    const QByteArray datagram = oscdatagram(sent);
    QCOMPARE(datagram.size() % 4, 0);
    QCOMPARE(readoscmessage(datagram), std::optional<OscMessage>(sent));
}

void TestOsc::brokenDatagramsAreNoMessages()
{
    const QByteArray good = oscdatagram(message(QStringLiteral("/vantell/speed"), {120}));
    QVERIFY(readoscmessage(good));
    // Cut anywhere, it is no message.
    for (int size = 0; size < good.size(); ++size)
        QVERIFY2(!readoscmessage(good.left(size)), qPrintable(QString::number(size)));
    // A type tag that promises more than the datagram holds, a path without a slash, a bundle,
    // an argument type no command takes, an unterminated path, one too large.
    QByteArray promising = good;
    promising.replace(",i\0\0", QByteArray(",ii\0", 4));
    QVERIFY(!readoscmessage(promising));
    QVERIFY(!readoscmessage(oscdatagram(message(QStringLiteral("vantell/speed"), {120}))));
    QVERIFY(!readoscmessage(QByteArray("#bundle\0\0\0\0\0\0\0\0\1", 16)));
    QVERIFY(!readoscmessage(QByteArray("/vantell/pause\0\0,b\0\0\0\0\0\0", 24)));
    QVERIFY(!readoscmessage(QByteArray("/vantell/pause", 14)));
    QVERIFY(!readoscmessage(QByteArray(maxOscDatagram + 4, '/')));
}

void TestOsc::addressesBecomeCommands()
{
    const auto command = [](const QString &path, const QVariantList &arguments = {}) {
        return osccommand(message(path, arguments));
    };
    QCOMPARE(command(QStringLiteral("/vantell/speed"), {120}).command->value, 120);
    QCOMPARE(command(QStringLiteral("/vantell/speed"), {-40.0}).command->value, -40);
    // A fader's fraction is no whole speed, and out of range is refused.
    QVERIFY(command(QStringLiteral("/vantell/speed"), {120.5}).error.contains(QLatin1String("whole")));
    QVERIFY(!command(QStringLiteral("/vantell/speed"), {301}).command);
    QVERIFY(!command(QStringLiteral("/vantell/speed")).command);
    // A button: the press acts, the release asks for nothing and is not an error.
    QCOMPARE(command(QStringLiteral("/vantell/pause"), {1.0}).command->action, RemoteAction::Pause);
    const ParsedCommand released = command(QStringLiteral("/vantell/pause"), {0.0});
    QVERIFY(!released.command && released.error.isEmpty());
    QCOMPARE(command(QStringLiteral("/vantell/pause")).command->action, RemoteAction::Pause);
    QVERIFY(!command(QStringLiteral("/vantell/pause"), {QStringLiteral("now")}).command);
    // A switch: a toggle's 1 and 0, OSC's true and false, or nothing to switch it over.
    QCOMPARE(command(QStringLiteral("/vantell/mirror"), {1}).command->on, std::optional<bool>(true));
    QCOMPARE(command(QStringLiteral("/vantell/mirror"), {0.0}).command->on, std::optional<bool>(false));
    QCOMPARE(command(QStringLiteral("/vantell/blackout"), {true}).command->on, std::optional<bool>(true));
    QCOMPARE(command(QStringLiteral("/vantell/rotate")).command->on, std::optional<bool>());
    // A script: its name and its text.
    const ParsedCommand script =
        command(QStringLiteral("/vantell/script"), {QStringLiteral("Late"), QStringLiteral("Text")});
    QCOMPARE(script.command->name, QStringLiteral("Late"));
    QCOMPARE(script.command->text, QStringLiteral("Text"));
    QVERIFY(!command(QStringLiteral("/vantell/script"), {QStringLiteral("Text only")}).command);
    QCOMPARE(command(QStringLiteral("/vantell/talent-message"), {QStringLiteral("Wrap up")}).command->text,
             QStringLiteral("Wrap up"));
    // Two values where one is taken, an unknown command, another program's address.
    QVERIFY(!command(QStringLiteral("/vantell/speed"), {1, 2}).command);
    QVERIFY(command(QStringLiteral("/vantell/explode")).error.contains(QLatin1String("unknown")));
    QVERIFY(!command(QStringLiteral("/other/pause")).error.isEmpty());
}

void TestOsc::stateGoesValueByValue()
{
    PrompterSnapshot state;
    state.speed = 120;
    state.running = true;
    state.scriptPath = QStringLiteral("/shows/late.vnr");
    state.elapsedMs = 61000;
    state.continuous = true;
    state.storyIndex = 2;
    state.storyName = QStringLiteral("WEATHER");
    state.overUnderMs = -45000;
    const QList<OscMessage> all = oscstate(state);
    QCOMPARE(all.size(), 21);
    QVERIFY(all.contains(message(QStringLiteral("/vantell/state/speed"), {120})));
    QVERIFY(all.contains(message(QStringLiteral("/vantell/state/role"), {QStringLiteral("prompter")})));
    QVERIFY(all.contains(message(QStringLiteral("/vantell/state/running"), {1})));
    QVERIFY(all.contains(message(QStringLiteral("/vantell/state/script"), {QStringLiteral("late.vnr")})));
    QVERIFY(all.contains(message(QStringLiteral("/vantell/state/elapsed"), {clocktext(61000)})));
    // The story on air by its place and name, the over/under as the status line shows it.
    QVERIFY(all.contains(message(QStringLiteral("/vantell/state/storyIndex"), {2})));
    QVERIFY(all.contains(message(QStringLiteral("/vantell/state/storyName"), {QStringLiteral("WEATHER")})));
    QVERIFY(
        all.contains(message(QStringLiteral("/vantell/state/overUnder"), {QStringLiteral("\u22120:45")})));
    PrompterSnapshot later = state;
    later.position = 300;
    QCOMPARE(oscstate(later, &state),
             QList<OscMessage>{message(QStringLiteral("/vantell/state/position"), {300})});
    QVERIFY(oscstate(state, &state).isEmpty());
}

void TestOsc::oscsendDrivesTheServer()
{
    const QString oscsend = QStandardPaths::findExecutable(QStringLiteral("oscsend"));
    if (oscsend.isEmpty())
        QSKIP("oscsend (liblo-tools) is not installed");
    QVERIFY(start());
    const QString port = QString::number(m_server->port());
    const auto send = [&](const QStringList &arguments) {
        return QProcess::execute(oscsend, QStringList{QStringLiteral("localhost"), port} + arguments) == 0;
    };
    QVERIFY(send({QStringLiteral("/vantell/speed"), QStringLiteral("i"), QStringLiteral("120")}));
    QVERIFY(send({QStringLiteral("/vantell/pause"), QStringLiteral("f"), QStringLiteral("1.0")}));
    QVERIFY(send({QStringLiteral("/vantell/pause"), QStringLiteral("f"), QStringLiteral("0.0")}));
    QVERIFY(send({QStringLiteral("/vantell/mirror"), QStringLiteral("T")}));
    QVERIFY(send({QStringLiteral("/vantell/speed"), QStringLiteral("i"), QStringLiteral("999")}));
    QVERIFY(QTest::qWaitFor([&] { return m_target->commands.size() == 3; }));
    QCOMPARE(m_target->commands.at(0).action, RemoteAction::SetSpeed);
    QCOMPARE(m_target->commands.at(1).action, RemoteAction::Pause);
    QCOMPARE(m_target->commands.at(2).on, std::optional<bool>(true));
    QCOMPARE(m_target->state.speed, 120);
}

void TestOsc::subscribersHearTheStateAndReplies()
{
    QVERIFY(start());
    QCOMPARE(ask(message(QStringLiteral("/vantell/speed"), {80})),
             std::optional<OscMessage>(message(osc::ok, {QStringLiteral("speed")})));
    const std::optional<OscMessage> refused = ask(message(QStringLiteral("/vantell/queue-entry"), {5}));
    QVERIFY(refused && refused->path == osc::error && refused->arguments.value(1).toString().contains('5'));
    // Subscribed: the ok, then every value.
    m_surface->writeDatagram(oscdatagram(message(osc::subscribe)), QHostAddress::LocalHost, m_server->port());
    QList<OscMessage> heard = receive(22);
    QCOMPARE(heard.size(), 22);
    QCOMPARE(heard.constFirst(), message(osc::ok, {QStringLiteral("subscribe")}));
    QVERIFY(heard.contains(message(QStringLiteral("/vantell/state/speed"), {80})));
    // A change: only the value that changed.
    m_target->state.position = 640;
    m_server->stateChanged();
    heard = receive(1);
    QCOMPARE(heard, QList<OscMessage>{message(QStringLiteral("/vantell/state/position"), {640})});
    // Changes faster than 30 a second are gathered; the last one is told.
    for (int y = 1; y <= 50; ++y) {
        m_target->state.position = 640 + y;
        m_server->stateChanged();
    }
    heard = receive(10, 500);
    QVERIFY2(heard.size() <= 2, qPrintable(QString::number(heard.size())));
    QCOMPARE(heard.constLast(), message(QStringLiteral("/vantell/state/position"), {690}));
    QCOMPARE(m_server->subscriberCount(), 1);
    QCOMPARE(ask(message(osc::unsubscribe)),
             std::optional<OscMessage>(message(osc::ok, {QStringLiteral("unsubscribe")})));
    QCOMPARE(m_server->subscriberCount(), 0);
}

void TestOsc::theNetworkNeedsTheToken()
{
    QVERIFY(start(true));
    QSignalSpy refusals(m_server, &OscServer::refused);
    // Before the token, nothing is done and nothing is told but that.
    const std::optional<OscMessage> first = ask(message(QStringLiteral("/vantell/speed"), {50}));
    QVERIFY(first && first->path == osc::error);
    QVERIFY(m_target->commands.isEmpty());
    QVERIFY(ask(message(osc::token, {QStringLiteral("guess")}))->path == osc::error);
    QCOMPARE(refusals.size(), 1);
    QCOMPARE(ask(message(osc::token, {token})),
             std::optional<OscMessage>(message(osc::ok, {QStringLiteral("token")})));
    QCOMPARE(ask(message(QStringLiteral("/vantell/speed"), {50}))->path, osc::ok);
    QCOMPARE(m_target->state.speed, 50);

    // Having taken a show over, it admits its old prompter's token as well, across restarts.
    const QString prompterToken = QStringLiteral("token-of-the-old-prompter");
    m_server->alsoAccept(prompterToken);
    m_server->stop();
    QVERIFY(start(true));
    QCOMPARE(ask(message(osc::token, {prompterToken})),
             std::optional<OscMessage>(message(osc::ok, {QStringLiteral("token")})));

    // A guesser is locked out: even the right token is refused for a while, in silence.
    m_server->stop();
    QVERIFY(start(true));
    for (int i = 0; i < FailedAttempts::allowedFailures; ++i)
        ask(message(osc::token, {QStringLiteral("guess %1").arg(i)}));
    m_surface->writeDatagram(oscdatagram(message(osc::token, {token})), QHostAddress::LocalHost,
                             m_server->port());
    QVERIFY(receive(1, 300).isEmpty());
    m_surface->writeDatagram(oscdatagram(message(QStringLiteral("/vantell/speed"), {70})),
                             QHostAddress::LocalHost, m_server->port());
    QTest::qWait(100);
    QCOMPARE(m_target->state.speed, 50);
}

void TestOsc::aFloodChangesOnlyWhatItAsks()
{
    QVERIFY(start());
    constexpr int count = 10000;
    QUdpSocket flood;
    const QByteArray valid = oscdatagram(message(QStringLiteral("/vantell/speed-up"), {1}));
    const QByteArray junk("/vantell/speed\0\0,i\0\0\0\0", 22);
    // In bursts of a hundred: UDP drops what overflows the kernel's buffer, which would prove
    // nothing about the server.
    constexpr int burst = 100;
    for (int i = 0; i < count; i += burst) {
        for (int j = i; j < i + burst; ++j)
            flood.writeDatagram(j % 2 ? junk : valid, QHostAddress::LocalHost, m_server->port());
        QVERIFY(QTest::qWaitFor([&] { return m_target->commands.size() == (i + burst) / 2; }));
    }
    for (const RemoteCommand &command : std::as_const(m_target->commands))
        QCOMPARE(command.action, RemoteAction::SpeedUp);
    // It answers at once afterwards.
    QCOMPARE(ask(message(QStringLiteral("/vantell/speed"), {10}))->path, osc::ok);
}

void TestOsc::aTakenPortIsReported()
{
    QUdpSocket taken;
    QVERIFY(taken.bind(QHostAddress::LocalHost, 0));
    QVERIFY(!m_server->start(OscServerSettings{taken.localPort(), false, {}}));
    QVERIFY(!m_server->errorString().isEmpty());
    QVERIFY(!m_server->isListening());
}

// A standby's answer comes when its prompter's does: the sender hears it then, and nobody once
// the server has stopped.
void TestOsc::lateAnswersGoToTheSender()
{
    QVERIFY(start());
    m_target->answersLater = true;
    m_surface->writeDatagram(oscdatagram(message(QStringLiteral("/vantell/queue-entry"), {5})),
                             QHostAddress::LocalHost, m_server->port());
    QVERIFY(QTest::qWaitFor([this] { return m_target->waiting.size() == 1; }, 5000));
    QVERIFY(receive(1, 100).isEmpty());
    m_target->answerWaiting();
    const QList<OscMessage> answered = receive(1);
    QCOMPARE(answered.size(), 1);
    QCOMPARE(answered.constFirst().path, osc::error);
    QCOMPARE(answered.constFirst().arguments,
             QVariantList({QStringLiteral("queue-entry"), QStringLiteral("the queue has no entry 5")}));

    m_surface->writeDatagram(oscdatagram(message(QStringLiteral("/vantell/pause"))), QHostAddress::LocalHost,
                             m_server->port());
    QVERIFY(QTest::qWaitFor([this] { return m_target->waiting.size() == 1; }, 5000));
    m_server->stop();
    m_target->answerWaiting();
    delete std::exchange(m_server, nullptr);
    QVERIFY(receive(1, 100).isEmpty());
}

VANTELL_CORE_TEST_MAIN(TestOsc)
#include "test_osc.moc"

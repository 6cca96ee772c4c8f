#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QWebSocket>

#include "core/remote/remoteserver.h"
#include "remote/faketarget.h"
#include "testsupport/testmain.h"

namespace {

struct Answer {
    int status = 0;
    QJsonObject body;
    QByteArray raw;
};

} // namespace

// The control API over real sockets on the loopback address: HTTP from Qt's client and from
// curl, WebSockets, and the refusals that keep strangers and nonsense out.
class TestRemoteServer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void stateAndCommandsOverHttp();
    void badRequestsChangeNothing();
    void otherSitesAndHostNamesAreRefused();
    void curlDrivesIt();
    void scriptsAreUploaded();
    void paragraphsAreReadAndEdited();
    void editsThatCannotBeMadeChangeNothing();
    void webSocketsHearWhichParagraphsChanged();
    void theNetworkNeedsTheToken();
    void webSocketsCommandAndHearTheState();
    void webSocketsAreRefusedWithoutTheRightToken();
    void aStandbyThatTookOverSaysSo();
    void stateIsPacedWhileItChangesFast();
    void aFloodIsAnsweredAndChangesOnlyWhatItAsks();
    void anEndlessBodyIsCutOff();
    void lateAnswersReachOnlyThoseStillAsking();

private:
    Answer request(const QByteArray &method, const QString &path, const QByteArray &body = {},
                   const QList<QPair<QByteArray, QByteArray>> &headers = {});
    QUrl url(const QString &path) const;
    bool start(bool network = false);
    std::unique_ptr<QWebSocket> openSocket(const QString &query = {}, const QString &origin = {});

    FakeTarget *m_target = nullptr;
    RemoteServer *m_server = nullptr;
    QNetworkAccessManager *m_client = nullptr;
};

void TestRemoteServer::init()
{
    m_target = new FakeTarget;
    m_server = new RemoteServer(*m_target);
    m_client = new QNetworkAccessManager;
    QVERIFY(start());
}

void TestRemoteServer::cleanup()
{
    delete m_client;
    delete m_server;
    delete m_target;
}

bool TestRemoteServer::start(bool network)
{
    RemoteServerSettings settings;
    settings.port = 0; // any free port
    settings.allowNetwork = network;
    settings.token = network ? QStringLiteral("s3cret-token") : QString();
    return m_server->start(settings);
}

QUrl TestRemoteServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server->port()).arg(path));
}

Answer TestRemoteServer::request(const QByteArray &method, const QString &path, const QByteArray &body,
                                 const QList<QPair<QByteArray, QByteArray>> &headers)
{
    QNetworkRequest request(url(path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    for (const auto &[name, value] : headers)
        request.setRawHeader(name, value);
    QNetworkReply *reply = m_client->sendCustomRequest(request, method, body);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished() && !finished.wait(10000))
        return {};
    Answer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.raw = reply->readAll();
    answer.body = QJsonDocument::fromJson(answer.raw).object();
    reply->deleteLater();
    return answer;
}

std::unique_ptr<QWebSocket> TestRemoteServer::openSocket(const QString &query, const QString &origin)
{
    auto socket = std::make_unique<QWebSocket>(origin);
    socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/socket%2").arg(m_server->port()).arg(query)));
    return socket;
}

void TestRemoteServer::stateAndCommandsOverHttp()
{
    m_target->state.scriptPath = QStringLiteral("/shows/evening.vnr");
    m_target->state.remainingMs = 75300;
    Answer state = request("GET", QStringLiteral("/api/state"));
    QCOMPARE(state.status, 200);
    QCOMPARE(state.body.value(QLatin1String("scriptName")).toString(), QStringLiteral("evening.vnr"));
    QCOMPARE(state.body.value(QLatin1String("remaining")).toString(), QStringLiteral("00:01:15:30"));

    const Answer done = request("POST", QStringLiteral("/api/command"), R"({"command":"speed","value":120})");
    QCOMPARE(done.status, 200);
    QVERIFY(done.body.value(QLatin1String("ok")).toBool());
    QCOMPARE(done.body.value(QLatin1String("state")).toObject().value(QLatin1String("speed")).toInt(), 120);
    QCOMPARE(m_target->commands.size(), 1);

    const Answer missing =
        request("POST", QStringLiteral("/api/command"), R"({"command":"queue-entry","value":5})");
    QCOMPARE(missing.status, 409);
    QCOMPARE(missing.body.value(QLatin1String("error")).toString(),
             QStringLiteral("the queue has no entry 5"));

    const Answer names = request("GET", QStringLiteral("/api/commands"));
    QVERIFY(names.body.value(QLatin1String("commands")).toArray().contains(QStringLiteral("next-script")));
    const Answer phone = request("GET", QStringLiteral("/"));
    QCOMPARE(phone.status, 200);
    QVERIFY(phone.raw.contains("Pause / Resume"));
    QVERIFY(!phone.raw.contains("{{"));
}

void TestRemoteServer::badRequestsChangeNothing()
{
    const struct {
        QByteArray method, path, body, contentType;
        int status;
        const char *says;
    } cases[] = {
        {"POST", "/api/command", "{\"command\":\"speed\",", "application/json", 400, "malformed JSON"},
        {"POST", "/api/command", "{\"command\":\"fly\"}", "application/json", 400, "unknown command"},
        {"POST", "/api/command", "{\"command\":\"speed\",\"value\":999}", "application/json", 400,
         "-300 to 300"},
        {"POST", "/api/command", "{\"command\":\"pause\"}", "text/plain", 415, "application/json"},
        {"POST", "/api/command", QByteArray(RemoteServer::maxCommandBytes + 1, ' '), "application/json", 413,
         "at most"},
        {"POST", "/api/command", "{\"command\":\"script\",\"text\":\"x\"}", "application/json", 400,
         "/api/script"},
        {"PUT", "/api/command", "{\"command\":\"pause\"}", "application/json", 405, "GET or POST"},
        {"GET", "/etc/passwd", "", "application/json", 404, "no such address"},
        {"GET", "/../../etc/passwd", "", "application/json", 404, "no such address"},
    };
    for (const auto &c : cases) {
        const Answer answer = request(c.method, QString::fromLatin1(c.path), c.body,
                                      {{QByteArrayLiteral("Content-Type"), c.contentType}});
        QCOMPARE(answer.status, c.status);
        QVERIFY2(answer.body.value(QLatin1String("error")).toString().contains(QLatin1String(c.says)),
                 qPrintable(answer.raw));
    }
    QVERIFY(m_target->commands.isEmpty());
}

void TestRemoteServer::otherSitesAndHostNamesAreRefused()
{
    const QByteArray pause = R"({"command":"pause"})";
    QCOMPARE(
        request("POST", QStringLiteral("/api/command"), pause, {{"Origin", "http://evil.example"}}).status,
        403);
    // A name that the resolver was made to point here.
    QCOMPARE(request("POST", QStringLiteral("/api/command"), pause,
                     {{"Host", QByteArray("evil.example:") + QByteArray::number(m_server->port())}})
                 .status,
             403);
    QVERIFY(m_target->commands.isEmpty());
    // Our own page may.
    const QByteArray own = "http://127.0.0.1:" + QByteArray::number(m_server->port());
    QCOMPARE(request("POST", QStringLiteral("/api/command"), pause, {{"Origin", own}}).status, 200);
}

void TestRemoteServer::curlDrivesIt()
{
    QProcess curl;
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-s"), QStringLiteral("-X"), QStringLiteral("POST"), QStringLiteral("-H"),
                QStringLiteral("Content-Type: application/json"), QStringLiteral("-d"),
                QStringLiteral(R"({"command":"next-script"})"),
                url(QStringLiteral("/api/command")).toString()});
    QSignalSpy finished(&curl, &QProcess::finished);
    QVERIFY(finished.wait(10000));
    QCOMPARE(
        QJsonDocument::fromJson(curl.readAllStandardOutput()).object().value(QLatin1String("ok")).toBool(),
        true);
    QCOMPARE(m_target->commands.size(), 1);
    QCOMPARE(m_target->commands.constFirst().action, RemoteAction::NextScript);
}

void TestRemoteServer::scriptsAreUploaded()
{
    const QByteArray script =
        QJsonDocument(QJsonObject{{QStringLiteral("name"), QStringLiteral("Weather")},
                                  {QStringLiteral("text"), QString(3000000, QLatin1Char('w'))}})
            .toJson();
    const Answer answer = request("POST", QStringLiteral("/api/script"), script);
    QCOMPARE(answer.status, 200);
    QCOMPARE(m_target->commands.size(), 1);
    QCOMPARE(m_target->commands.constFirst().action, RemoteAction::LoadScript);
    QCOMPARE(m_target->commands.constFirst().name, QStringLiteral("Weather"));
    QCOMPARE(m_target->commands.constFirst().text.size(), 3000000);
    QCOMPARE(request("POST", QStringLiteral("/api/script"), "[]").status, 400);
}

void TestRemoteServer::paragraphsAreReadAndEdited()
{
    const Answer before = request("GET", QStringLiteral("/api/paragraphs"));
    QCOMPARE(before.status, 200);
    const QJsonArray listed = before.body.value(QLatin1String("paragraphs")).toArray();
    QCOMPARE(listed.size(), 3);
    QCOMPARE(listed.at(1).toObject().value(QLatin1String("index")).toInt(), 1);
    QCOMPARE(listed.at(1).toObject().value(QLatin1String("text")).toString(), QStringLiteral("The news."));
    QVERIFY(listed.at(0).toObject().value(QLatin1String("locked")).toBool());
    QVERIFY(!listed.at(2).toObject().value(QLatin1String("locked")).toBool());

    // The last paragraph, with text no JSON writer leaves alone.
    const Answer done = request("POST", QStringLiteral("/api/edit"),
                                R"({"paragraph": 2, "text": "Good \"night\", Z\u00fcrich <b>"})");
    QVERIFY2(done.status == 200, done.raw.constData());
    QVERIFY(done.body.value(QLatin1String("ok")).toBool());
    QCOMPARE(m_target->texts.at(2), QStringLiteral("Good \"night\", Z\u00fcrich <b>"));
    const Answer after = request("GET", QStringLiteral("/api/paragraphs"));
    QCOMPARE(
        after.body.value(QLatin1String("paragraphs")).toArray().at(2).toObject().value(QLatin1String("text")),
        QStringLiteral("Good \"night\", Z\u00fcrich <b>"));
}

void TestRemoteServer::editsThatCannotBeMadeChangeNothing()
{
    const struct {
        QByteArray body;
        int status;
        const char *says;
    } cases[] = {
        {R"({"paragraph": 3, "text": "x"})", 400, "no paragraph 3"},
        {R"({"paragraph": 0, "text": "x"})", 409, "locked"},
        {R"({"paragraph": -1, "text": "x"})", 400, "paragraph's index"},
        {R"({"paragraph": 1.5, "text": "x"})", 400, "paragraph's index"},
        {R"({"paragraph": "1", "text": "x"})", 400, "paragraph's index"},
        {R"({"paragraph": 1e12, "text": "x"})", 400, "paragraph's index"},
        {R"({"paragraph": 1})", 400, "paragraph's index"},
        {R"({"paragraph": 1, "text": 7})", 400, "paragraph's index"},
        {R"({"paragraph": 1, "text": )", 400, "paragraph's index"},
        {QByteArray(RemoteServer::maxCommandBytes + 1, ' '), 413, "at most"},
    };
    const QStringList before = m_target->texts;
    for (const auto &c : cases) {
        const Answer answer = request("POST", QStringLiteral("/api/edit"), c.body);
        QCOMPARE(answer.status, c.status);
        QVERIFY2(answer.body.value(QLatin1String("error")).toString().contains(QLatin1String(c.says)),
                 qPrintable(answer.raw));
    }
    QCOMPARE(m_target->texts, before);
}

void TestRemoteServer::webSocketsHearWhichParagraphsChanged()
{
    auto socket = openSocket();
    QSignalSpy messages(socket.get(), &QWebSocket::textMessageReceived);
    QVERIFY(messages.wait(5000)); // the state, at once
    messages.clear();
    m_server->paragraphsChanged({1, 2}, 4);
    QVERIFY(messages.wait(5000));
    const QJsonObject told = QJsonDocument::fromJson(messages.takeFirst().at(0).toString().toUtf8()).object();
    QCOMPARE(told.value(QLatin1String("type")).toString(), QStringLiteral("paragraphs"));
    QCOMPARE(told.value(QLatin1String("changed")).toArray(), (QJsonArray{1, 2}));
    QCOMPARE(told.value(QLatin1String("count")).toInt(), 4);
}

void TestRemoteServer::theNetworkNeedsTheToken()
{
    QVERIFY(start(true));
    const QByteArray pause = R"({"command":"pause"})";
    QCOMPARE(request("POST", QStringLiteral("/api/command"), pause).status, 401);
    QCOMPARE(request("GET", QStringLiteral("/api/state")).status, 401);
    QCOMPARE(request("GET", QStringLiteral("/api/state?token=s3cret-token")).status, 200);
    QCOMPARE(
        request("POST", QStringLiteral("/api/command"), pause, {{"Authorization", "Bearer s3cret-token"}})
            .status,
        200);
    QCOMPARE(m_target->commands.size(), 1);
    // Guessing: after a few wrong tokens even the right one is refused for a while.
    for (int i = 0; i < FailedAttempts::allowedFailures; ++i)
        QCOMPARE(request("POST", QStringLiteral("/api/command"), pause, {{"Authorization", "Bearer guess"}})
                     .status,
                 i + 1 < FailedAttempts::allowedFailures ? 401 : 429);
    QCOMPARE(
        request("POST", QStringLiteral("/api/command"), pause, {{"Authorization", "Bearer s3cret-token"}})
            .status,
        429);
    QCOMPARE(m_target->commands.size(), 1);
}

void TestRemoteServer::aStandbyThatTookOverSaysSo()
{
    // A standby that took the show over from this prompter names its own control API's port; the
    // address is the one it called from. Nonsense ports are not believed.
    auto socket = openSocket();
    QSignalSpy led(m_server, &RemoteServer::ledElsewhere);
    QSignalSpy messages(socket.get(), &QWebSocket::textMessageReceived);
    QVERIFY(messages.wait(5000)); // the state, at once
    for (const char *wrong : {R"({"type":"led-by","port":0})", R"({"type":"led-by","port":70000})",
                              R"({"type":"led-by","port":"7800"})", R"({"type":"led-by"})"})
        socket->sendTextMessage(QString::fromLatin1(wrong));
    socket->sendTextMessage(QStringLiteral(R"({"type":"led-by","port":7810})"));
    QVERIFY(led.wait(5000));
    QCOMPARE(led.size(), 1);
    QCOMPARE(led.constFirst().at(0).toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(led.constFirst().at(1).value<quint16>(), quint16(7810));
}

void TestRemoteServer::webSocketsCommandAndHearTheState()
{
    auto socket = openSocket();
    QSignalSpy messages(socket.get(), &QWebSocket::textMessageReceived);
    QVERIFY(messages.wait(5000)); // the state, at once
    QCOMPARE(QJsonDocument::fromJson(messages.takeFirst().at(0).toString().toUtf8())
                 .object()
                 .value(QLatin1String("type"))
                 .toString(),
             QStringLiteral("state"));

    socket->sendTextMessage(QStringLiteral(R"({"command":"speed","value":-40,"id":"a1"})"));
    QVERIFY(messages.wait(5000));
    QJsonObject reply = QJsonDocument::fromJson(messages.takeFirst().at(0).toString().toUtf8()).object();
    QCOMPARE(reply.value(QLatin1String("id")).toString(), QStringLiteral("a1"));
    QVERIFY(reply.value(QLatin1String("ok")).toBool());
    QCOMPARE(m_target->commands.constLast().value, -40);

    socket->sendTextMessage(QStringLiteral(R"({"command":"speed","value":"fast"})"));
    QVERIFY(messages.wait(5000));
    reply = QJsonDocument::fromJson(messages.takeFirst().at(0).toString().toUtf8()).object();
    QVERIFY(!reply.value(QLatin1String("ok")).toBool());
    QVERIFY(reply.value(QLatin1String("error")).toString().contains(QLatin1String("whole number")));

    socket->sendTextMessage(QStringLiteral(R"({"type":"ping","sent":1234.5})"));
    QVERIFY(messages.wait(5000));
    const QJsonObject pong = QJsonDocument::fromJson(messages.takeFirst().at(0).toString().toUtf8()).object();
    QCOMPARE(pong.value(QLatin1String("type")).toString(), QStringLiteral("pong"));
    QCOMPARE(pong.value(QLatin1String("sent")).toDouble(), 1234.5);
    QVERIFY(pong.value(QLatin1String("answered")).toDouble() >=
            pong.value(QLatin1String("received")).toDouble());

    socket->sendTextMessage(QStringLiteral(R"({"type":"follow"})"));
    QVERIFY(messages.wait(5000));
    const QJsonObject script =
        QJsonDocument::fromJson(messages.takeFirst().at(0).toString().toUtf8()).object();
    QCOMPARE(script.value(QLatin1String("type")).toString(), QStringLiteral("script"));
    QCOMPARE(script.value(QLatin1String("pagelines")).toArray().size(), 1);
    QCOMPARE(m_server->clientCount(), 1);
    socket->close();
    QTRY_COMPARE(m_server->clientCount(), 0);
}

void TestRemoteServer::webSocketsAreRefusedWithoutTheRightToken()
{
    auto foreign = openSocket({}, QStringLiteral("http://evil.example"));
    QSignalSpy foreignClosed(foreign.get(), &QWebSocket::disconnected);
    QVERIFY(foreignClosed.wait(5000));
    QVERIFY(start(true));
    auto guessing = openSocket(QStringLiteral("?token=nope"));
    QSignalSpy closed(guessing.get(), &QWebSocket::disconnected);
    QVERIFY(closed.wait(5000));
    QCOMPARE(guessing->closeCode(), QWebSocketProtocol::CloseCodePolicyViolated);
    auto right = openSocket(QStringLiteral("?token=s3cret-token"));
    QSignalSpy messages(right.get(), &QWebSocket::textMessageReceived);
    QVERIFY(messages.wait(5000));
}

void TestRemoteServer::stateIsPacedWhileItChangesFast()
{
    auto socket = openSocket();
    QSignalSpy messages(socket.get(), &QWebSocket::textMessageReceived);
    QVERIFY(messages.wait(5000));
    messages.clear();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
        ++m_target->state.position;
        m_server->stateChanged();
        QCoreApplication::processEvents();
    }
    // At most 30 a second, the first at once; unpaced it would be thousands. On a slow machine (the
    // sanitizers) a state sent just before the second may still be on its way into it.
    const qsizetype inTheSecond = messages.size();
    QVERIFY2(inTheSecond >= 25 && inTheSecond <= 32, qPrintable(QString::number(inTheSecond)));
    QTest::qWait(100);
    // The last state sent is the latest one.
    const QJsonObject last = QJsonDocument::fromJson(messages.constLast().at(0).toString().toUtf8()).object();
    QCOMPARE(last.value(QLatin1String("position")).toInt(), m_target->state.position);
}

void TestRemoteServer::aFloodIsAnsweredAndChangesOnlyWhatItAsks()
{
    int answered = 0;
    int refused = 0;
    constexpr int count = 2000;
    for (int i = 0; i < count; ++i) {
        QNetworkRequest request(url(QStringLiteral("/api/command")));
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        const QByteArray body = i % 2 == 0 ? QByteArrayLiteral(R"({"command":"speed-up"})")
                                           : QByteArrayLiteral(R"({"command":"speed-up","value":[)");
        QNetworkReply *reply = m_client->post(request, body);
        connect(reply, &QNetworkReply::finished, this, [reply, &answered, &refused] {
            ++answered;
            if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 400)
                ++refused;
            reply->deleteLater();
        });
    }
    QTRY_COMPARE_WITH_TIMEOUT(answered, count, 100000);
    QCOMPARE(refused, count / 2);
    QCOMPARE(m_target->commands.size(), count / 2);
    // And it still answers at once.
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(request("GET", QStringLiteral("/api/state")).status, 200);
    QVERIFY(clock.elapsed() < 1000);
}

void TestRemoteServer::anEndlessBodyIsCutOff()
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_server->port());
    QVERIFY(socket.waitForConnected(5000));
    QSignalSpy refused(m_server, &RemoteServer::refused);
    socket.write("POST /api/script HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\n"
                 "Content-Length: 1000000000\r\n\r\n");
    const QByteArray chunk(1024 * 1024, 'x');
    QSignalSpy gone(&socket, &QTcpSocket::disconnected);
    // Written as fast as the server takes it, well past what any script may be.
    for (int i = 0; i < 3000 && socket.state() == QAbstractSocket::ConnectedState; ++i) {
        if (socket.bytesToWrite() < 4 * chunk.size())
            socket.write(chunk);
        QTest::qWait(5);
    }
    QVERIFY(gone.count() > 0 || gone.wait(5000));
    QVERIFY(!refused.isEmpty());
    QCOMPARE(request("GET", QStringLiteral("/api/state")).status, 200);
}

// A standby's answers come when its prompter's do: each reaches its sender, over HTTP with the
// status it calls for and over a WebSocket with the sender's id; one for a sender gone meanwhile,
// or for a server stopped, is dropped without harm.
void TestRemoteServer::lateAnswersReachOnlyThoseStillAsking()
{
    m_target->answersLater = true;
    QNetworkRequest post(url(QStringLiteral("/api/command")));
    post.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    QNetworkReply *refused =
        m_client->post(post, QByteArrayLiteral(R"({"command":"queue-entry","value":5})"));
    QVERIFY(QTest::qWaitFor([this] { return m_target->waiting.size() == 1; }, 5000));
    QTest::qWait(50);
    QVERIFY(!refused->isFinished());
    m_target->answerWaiting();
    QSignalSpy finished(refused, &QNetworkReply::finished);
    QVERIFY(refused->isFinished() || finished.wait(5000));
    QCOMPARE(refused->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 409);
    QCOMPARE(QJsonDocument::fromJson(refused->readAll()).object().value(QLatin1String("error")).toString(),
             QStringLiteral("the queue has no entry 5"));
    refused->deleteLater();

    // The asker hangs up before the answer comes.
    QTcpSocket impatient;
    impatient.connectToHost(QHostAddress::LocalHost, m_server->port());
    QVERIFY(impatient.waitForConnected(5000));
    const QByteArray body = R"({"command":"pause"})";
    impatient.write("POST /api/command HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(m_server->port()) +
                    "\r\nContent-Type: application/json\r\nContent-Length: " +
                    QByteArray::number(body.size()) + "\r\n\r\n" + body);
    QVERIFY(QTest::qWaitFor([this] { return m_target->waiting.size() == 1; }, 5000));
    impatient.abort();
    QTest::qWait(100); // the server sees the socket go and deletes it
    m_target->answerWaiting();

    // Over a WebSocket: two commands, answered in the other order, each with its own id.
    auto socket = openSocket();
    QSignalSpy messages(socket.get(), &QWebSocket::textMessageReceived);
    QVERIFY(messages.wait(5000)); // the state, at once
    messages.clear();
    socket->sendTextMessage(QStringLiteral(R"({"command":"queue-entry","value":7,"id":"w1"})"));
    socket->sendTextMessage(QStringLiteral(R"({"command":"resume","id":"w2"})"));
    QVERIFY(QTest::qWaitFor([this] { return m_target->waiting.size() == 2; }, 5000));
    QVERIFY(messages.isEmpty());
    std::swap(m_target->waiting[0], m_target->waiting[1]);
    m_target->answerWaiting();
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 2, 5000);
    const QJsonObject first = QJsonDocument::fromJson(messages.at(0).at(0).toString().toUtf8()).object();
    const QJsonObject second = QJsonDocument::fromJson(messages.at(1).at(0).toString().toUtf8()).object();
    QCOMPARE(first.value(QLatin1String("id")).toString(), QStringLiteral("w2"));
    QVERIFY(first.value(QLatin1String("ok")).toBool());
    QCOMPARE(second.value(QLatin1String("id")).toString(), QStringLiteral("w1"));
    QCOMPARE(second.value(QLatin1String("error")).toString(), QStringLiteral("the queue has no entry 7"));
    // Its client goes before the answer.
    socket->sendTextMessage(QStringLiteral(R"({"command":"pause","id":"w3"})"));
    QVERIFY(QTest::qWaitFor([this] { return m_target->waiting.size() == 1; }, 5000));
    socket->close();
    QTRY_COMPARE(m_server->clientCount(), 0);
    QTest::qWait(50);
    m_target->answerWaiting();

    // The server goes before the answer.
    m_client->post(post, QByteArrayLiteral(R"({"command":"pause"})"));
    QVERIFY(QTest::qWaitFor([this] { return m_target->waiting.size() == 1; }, 5000));
    delete std::exchange(m_server, nullptr);
    m_target->answerWaiting();
}

VANTELL_CORE_TEST_MAIN(TestRemoteServer)
#include "test_remoteserver.moc"

// Remote control: from a command sent over loopback (HTTP with a kept-alive connection, and
// WebSocket) to the engine's new speed and to the page's next move, while the real prompter
// scrolls at speed 300; median and 99th percentile over 1,000 commands each. The peer runs in a
// thread of its own, as another program would, and waits for each answer before the next command.
#include <atomic>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include "app/windows.h"
#include "browser/browser.h"
#include "engine/promptengine.h"
#include "prompter/prompterremote.h"
#include "prompter/tform1.h"
#include "remote/remoteserver.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "testsupport/eventwait.h"
#include "toolkit/application.h"

namespace {

QElapsedTimer &benchClock()
{
    static QElapsedTimer started;
    return started;
}

double nowMs()
{
    return benchClock().nsecsElapsed() / 1e6;
}

// When each command was sent, and when its effect arrived (0: not yet).
struct Timeline {
    QMutex lock;
    QList<double> sent, engine, page;
    std::atomic<int> current{-1};
};

// Sends `count` speed commands, alternating 290 and 300, each once the one before is answered.
void runPeer(Timeline &timeline, quint16 port, bool webSocket, int count)
{
    const auto body = [](int i) {
        return QByteArray(R"({"command":"speed","value":)") + (i % 2 ? "290" : "300") + "}";
    };
    const auto begin = [&timeline](int i) {
        const QMutexLocker locked(&timeline.lock);
        timeline.sent[i] = nowMs();
        timeline.current = i;
    };
    if (webSocket) {
        QWebSocket socket;
        QEventLoop loop;
        QObject::connect(&socket, &QWebSocket::connected, &loop, &QEventLoop::quit);
        socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/socket").arg(port)));
        loop.exec();
        QObject::connect(&socket, &QWebSocket::textMessageReceived, &loop, [&loop](const QString &message) {
            if (message.contains(QLatin1String("\"reply\"")))
                loop.quit();
        });
        for (int i = 0; i < count; ++i) {
            begin(i);
            socket.sendTextMessage(QString::fromUtf8(body(i)));
            loop.exec();
            QThread::msleep(3);
        }
        return;
    }
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.waitForConnected(5000);
    for (int i = 0; i < count; ++i) {
        const QByteArray json = body(i);
        begin(i);
        socket.write("POST /api/command HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                     "\r\nContent-Type: application/json\r\nContent-Length: " +
                     QByteArray::number(json.size()) + "\r\n\r\n" + json);
        socket.flush();
        // The answer is small: its end is the end of its JSON body.
        QByteArray answer;
        while (!answer.endsWith('}') && socket.waitForReadyRead(5000))
            answer += socket.readAll();
        QThread::msleep(3);
    }
}

double percentile(QList<double> samples, double share)
{
    std::sort(samples.begin(), samples.end());
    return samples.isEmpty() ? 0 : samples.at(qMin(samples.size() - 1, qsizetype(samples.size() * share)));
}

void measure(TForm1 *form, quint16 port, bool webSocket, int count)
{
    Timeline timeline;
    timeline.sent.fill(0, count);
    timeline.engine.fill(0, count);
    timeline.page.fill(0, count);
    const auto applied = QObject::connect(form->engine, &PromptEngine::speedApplied, [&timeline] {
        const QMutexLocker locked(&timeline.lock);
        const int i = timeline.current;
        if (i >= 0 && timeline.engine[i] == 0)
            timeline.engine[i] = nowMs();
    });
    const auto moved = QObject::connect(form->wb1, &Browser::scrollPositionChanged, [&timeline] {
        const QMutexLocker locked(&timeline.lock);
        const int i = timeline.current;
        if (i >= 0 && timeline.engine[i] != 0 && timeline.page[i] == 0)
            timeline.page[i] = nowMs();
    });
    std::atomic<bool> done{false};
    std::unique_ptr<QThread> peer(QThread::create([&] {
        runPeer(timeline, port, webSocket, count);
        done = true;
    }));
    peer->start();
    (void)runEventsUntil([&done] { return done.load(); }, count * 1000);
    runEventsFor(200);
    peer->wait();
    QObject::disconnect(applied);
    QObject::disconnect(moved);

    QList<double> toEngine, toPage;
    for (int i = 0; i < count; ++i) {
        if (timeline.engine[i] > 0)
            toEngine << timeline.engine[i] - timeline.sent[i];
        if (timeline.page[i] > 0)
            toPage << timeline.page[i] - timeline.sent[i];
    }
    const QString kind = webSocket ? QStringLiteral("websocket") : QStringLiteral("http");
    const QJsonObject inputs{{QStringLiteral("commands"), count}, {QStringLiteral("speed"), 300}};
    bench::report(QStringLiteral("remote_%1_to_engine_median").arg(kind), bench::median(toEngine),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("remote_%1_to_engine_p99").arg(kind), percentile(toEngine, 0.99),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("remote_%1_to_page_median").arg(kind), bench::median(toPage),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("remote_%1_to_page_p99").arg(kind), percentile(toPage, 0.99),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("remote_%1_commands_with_effect").arg(kind), double(toEngine.size()) / count,
                  QStringLiteral("ratio"), inputs);
}

} // namespace

int main(int argc, char *argv[])
{
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    benchClock().start();
    TForm1 *form = bench::promptNumberedScript(20000);
    if (!form)
        return 1;
    PrompterRemote remote(form);
    RemoteServer server(remote);
    QObject::connect(&remote, &PrompterRemote::stateChanged, &server, &RemoteServer::stateChanged);
    RemoteServerSettings settings;
    settings.port = 0;
    if (!server.start(settings))
        return 1;
    form->engine->setSpeed(300);
    form->adjustspeed();
    const int count = qEnvironmentVariableIntValue("BENCH_COMMANDS") > 0
                          ? qEnvironmentVariableIntValue("BENCH_COMMANDS")
                          : 1000;
    measure(form, server.port(), false, count);
    form->engine->reset();
    form->engine->setSpeed(300);
    form->adjustspeed();
    measure(form, server.port(), true, count);
    form->dopause();
    server.stop();
    destroyWindows();
    return 0;
}

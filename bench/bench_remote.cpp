// Remote control: from a command sent over loopback (HTTP with a kept-alive connection,
// WebSocket, and OSC over UDP) to the engine's new speed and to the page's next move, while the
// real prompter scrolls at speed 300; median and 99th percentile over 1,000 commands each. The
// peer runs in a thread of its own, as another program would, and waits for each answer before
// the next command. Then 50 WebSocket clients subscribed while it scrolls: the CPU they add and
// the state rate each one hears.
#include <atomic>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "ui/prompter/prompterremote.h"
#include "ui/prompter/tform1.h"
#include "core/remote/oscpacket.h"
#include "core/remote/oscserver.h"
#include "core/remote/remoteserver.h"
#include "support/benchprompter.h"
#include "support/benchsupport.h"
#include "support/framesampling.h"
#include "testsupport/eventwait.h"
#include "ui/toolkit/application.h"

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

enum class Transport { Http, WebSocket, Osc };

// Sends `count` speed commands, alternating 290 and 300, each once the one before is answered.
void runPeer(Timeline &timeline, quint16 port, Transport transport, int count)
{
    const auto body = [](int i) {
        return QByteArray(R"({"command":"speed","value":)") + (i % 2 ? "290" : "300") + "}";
    };
    const auto begin = [&timeline](int i) {
        const QMutexLocker locked(&timeline.lock);
        timeline.sent[i] = nowMs();
        timeline.current = i;
    };
    if (transport == Transport::Osc) {
        QUdpSocket socket;
        socket.bind(QHostAddress::LocalHost, 0);
        for (int i = 0; i < count; ++i) {
            const QByteArray datagram =
                oscdatagram(OscMessage{QStringLiteral("/vantell/speed"), {i % 2 ? 290 : 300}});
            begin(i);
            socket.writeDatagram(datagram, QHostAddress::LocalHost, port);
            socket.waitForReadyRead(5000);
            while (socket.hasPendingDatagrams())
                socket.receiveDatagram();
            QThread::msleep(3);
        }
        return;
    }
    if (transport == Transport::WebSocket) {
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

void measure(TForm1 *form, quint16 port, Transport transport, int count)
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
        runPeer(timeline, port, transport, count);
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
    const QString kind = transport == Transport::Osc         ? QStringLiteral("osc")
                         : transport == Transport::WebSocket ? QStringLiteral("websocket")
                                                             : QStringLiteral("http");
    const QJsonObject inputs{{QStringLiteral("commands"), count}, {QStringLiteral("speed"), 300}};
    bench::report(QStringLiteral("remote_%1_to_engine_median").arg(kind), bench::median(toEngine),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("remote_%1_to_engine_p99").arg(kind), bench::percentile(toEngine, 0.99),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("remote_%1_to_page_median").arg(kind), bench::median(toPage),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("remote_%1_to_page_p99").arg(kind), bench::percentile(toPage, 0.99),
                  QStringLiteral("ms"), inputs);
    bench::report(QStringLiteral("remote_%1_commands_with_effect").arg(kind), double(toEngine.size()) / count,
                  QStringLiteral("ratio"), inputs);
}

// 50 WebSocket clients in a thread of their own, subscribed while the prompter scrolls: the CPU
// per second of this process and the browser's with them against without (the clients' own
// work included, as they run in this process), and how many states a second each one hears.
void measureManyClients(TForm1 *form, quint16 port)
{
    constexpr int clients = 50;
    const int seconds = bench::secondsToRun(10);
    const auto cpuPerSecond = [seconds] {
        const double before = bench::cpuSeconds();
        QElapsedTimer clock;
        clock.start();
        runEventsFor(seconds * 1000);
        return (bench::cpuSeconds() - before) / (clock.nsecsElapsed() / 1e9);
    };
    form->engine->setSpeed(300);
    form->adjustspeed();
    form->resume();
    runEventsFor(500);
    const double alone = cpuPerSecond();

    std::atomic<int> connected{0};
    std::atomic<qint64> heard{0};
    std::atomic<bool> counting{false};
    std::atomic<bool> finished{false};
    std::unique_ptr<QThread> peers(QThread::create([&] {
        std::vector<std::unique_ptr<QWebSocket>> sockets;
        for (int i = 0; i < clients; ++i) {
            auto socket = std::make_unique<QWebSocket>();
            QObject::connect(socket.get(), &QWebSocket::connected, [&connected] { ++connected; });
            QObject::connect(socket.get(), &QWebSocket::textMessageReceived, [&](const QString &) {
                if (counting)
                    ++heard;
            });
            socket->open(QUrl(QStringLiteral("ws://127.0.0.1:%1/socket").arg(port)));
            sockets.push_back(std::move(socket));
        }
        QEventLoop loop;
        QTimer check;
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (finished)
                loop.quit();
        });
        check.start(50);
        loop.exec();
    }));
    peers->start();
    (void)runEventsUntil([&connected] { return connected.load() == clients; }, 30000);
    runEventsFor(500);
    counting = true;
    const double with = cpuPerSecond();
    counting = false;
    finished = true;
    peers->wait();
    form->dopause();
    const QJsonObject inputs{{QStringLiteral("clients"), clients},
                             {QStringLiteral("speed"), 300},
                             {QStringLiteral("seconds"), seconds}};
    bench::report(QStringLiteral("remote_50_clients_connected"), connected.load(), QStringLiteral("clients"),
                  inputs);
    bench::report(QStringLiteral("remote_cpu_without_clients"), alone, QStringLiteral("s/s"), inputs);
    bench::report(QStringLiteral("remote_cpu_with_50_clients"), with, QStringLiteral("s/s"), inputs);
    bench::report(QStringLiteral("remote_state_rate_per_client"), double(heard.load()) / clients / seconds,
                  QStringLiteral("1/s"), inputs);
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
    PrompterRemote &remote = form->remoteTarget();
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
    OscServer osc(remote);
    if (!osc.start(OscServerSettings{0, false, {}}))
        return 1;
    for (const Transport transport : {Transport::Http, Transport::WebSocket, Transport::Osc}) {
        form->engine->reset();
        form->engine->setSpeed(300);
        form->adjustspeed();
        measure(form, transport == Transport::Osc ? osc.port() : server.port(), transport, count);
    }
    measureManyClients(form, server.port());
    form->dopause();
    server.stop();
    destroyWindows();
    return 0;
}

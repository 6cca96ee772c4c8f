#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QTimer>

#include "core/mos/mosdevice.h"
#include "core/mos/mosframer.h"
#include "core/mos/mosreplies.h"
#include "core/mos/mosserver.h"
#include "mos/mostext.h"
#include "core/mos/mosxml.h"
#include "testsupport/testmain.h"

// The device on the network, on loopback: a primary and a buddy newsroom system on both ports,
// messages in pieces, and peers that send too much, the wrong encoding, give up halfway or flood.
class TestMosServer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void primaryAndBuddyOnBothPorts();
    void messagesInPiecesAndJunk();
    void peerLeavingMidMessageChangesNothing();
    void tooLargeIsRefusedAndClosed();
    void wrongEncodingIsRefusedAndClosed();
    void floodLeavesTheProgramResponsive();
    void quietestConnectionMakesRoom();
    void portInUseIsReported();
    void addressNotAllowedIsClosedUnread();
    void peersOfBothProtocolsAreKnown();
    void refusedPeersMakeNoRoom();
    void narrowedAdmissionClosesConnections();

private:
    // A newsroom connection of the test: sends text and collects the device's answers.
    struct Peer {
        std::unique_ptr<QTcpSocket> socket = std::make_unique<QTcpSocket>();
        MosFramer framer;
        QStringList answers;
    };
    // Connects from `from` (127.0.0.2 is another machine for the device) to `to`.
    std::unique_ptr<Peer> connectPeer(quint16 port, const QHostAddress &from = QHostAddress::LocalHost,
                                      const QHostAddress &to = QHostAddress::LocalHost);
    static void send(Peer &peer, const QString &text) { peer.socket->write(mosencode(text)); }
    static void collect(Peer &peer);

    std::unique_ptr<MosDevice> m_device;
    std::unique_ptr<MosServer> m_server;
};

using namespace Qt::StringLiterals;

namespace {

QString answerType(const QString &answer)
{
    const MosXmlNode root = readmosxml(answer).root;
    for (const MosXmlNode &child : root.children)
        if (!child.isText() && child.name != u"mosID" && child.name != u"ncsID" && child.name != u"messageID")
            return child.name;
    return QString();
}

} // namespace

void TestMosServer::init()
{
    m_device = std::make_unique<MosDevice>(u"PROMPTER"_s);
    m_server = std::make_unique<MosServer>(m_device.get());
    QCOMPARE(m_server->listen(QHostAddress::LocalHost, 0, 0), std::nullopt);
    QVERIFY(m_server->lowerPort() != 0 && m_server->upperPort() != 0);
}

void TestMosServer::cleanup()
{
    m_server.reset();
    m_device.reset();
}

std::unique_ptr<TestMosServer::Peer> TestMosServer::connectPeer(quint16 port, const QHostAddress &from,
                                                                const QHostAddress &to)
{
    auto peer = std::make_unique<Peer>();
    Peer *raw = peer.get();
    connect(raw->socket.get(), &QTcpSocket::readyRead, this, [raw] { collect(*raw); });
    if (!raw->socket->bind(from))
        return nullptr;
    raw->socket->connectToHost(to, port);
    if (!raw->socket->waitForConnected(5000))
        return nullptr;
    return peer;
}

void TestMosServer::collect(Peer &peer)
{
    peer.framer.feed(peer.socket->readAll());
    while (std::optional<QString> answer = peer.framer.next())
        peer.answers << *answer;
}

void TestMosServer::primaryAndBuddyOnBothPorts()
{
    std::unique_ptr<Peer> primaryLower = connectPeer(m_server->lowerPort());
    std::unique_ptr<Peer> primaryUpper = connectPeer(m_server->upperPort());
    std::unique_ptr<Peer> buddyLower = connectPeer(m_server->lowerPort());
    std::unique_ptr<Peer> buddyUpper = connectPeer(m_server->upperPort());
    QVERIFY(primaryLower && primaryUpper && buddyLower && buddyUpper);
    QTRY_COMPARE(m_server->connectionCount(), 4);

    send(*primaryLower, mostext::message(u"<heartbeat/>"_s, u"1"_s));
    send(*buddyLower, mostext::message(u"<reqMachInfo/>"_s, u"2"_s));
    send(*primaryUpper, mostext::message(mostext::create(mostext::story(u"S1"_s, u"One"_s)), u"3"_s));
    QTRY_COMPARE(primaryUpper->answers.size(), 1);
    // The buddy takes over the same running orders.
    send(*buddyUpper, mostext::message(mostext::storySend(u"S1"_s, u"<p>From the buddy</p>"_s), u"4"_s));
    QTRY_COMPARE(primaryLower->answers.size(), 1);
    QTRY_COMPARE(buddyLower->answers.size(), 1);
    QTRY_COMPARE(buddyUpper->answers.size(), 1);
    QCOMPARE(answerType(primaryLower->answers.at(0)), u"heartbeat"_s);
    QCOMPARE(answerType(buddyLower->answers.at(0)), u"listMachInfo"_s);
    QCOMPARE(answerType(primaryUpper->answers.at(0)), u"roAck"_s);
    QVERIFY(buddyUpper->answers.at(0).contains(u"<roStatus>OK</roStatus>"_s));
    QVERIFY(m_device->runningOrders().find(u"RO1"_s)->stories.at(0).text);

    primaryLower.reset();
    QTRY_COMPARE(m_server->connectionCount(), 3);
}

void TestMosServer::messagesInPiecesAndJunk()
{
    std::unique_ptr<Peer> peer = connectPeer(m_server->upperPort());
    QVERIFY(peer);
    const QByteArray bytes = mosencode(
        u"\uFEFF<?xml version=\"1.0\"?>\r\n"_s +
        mostext::message(mostext::create(mostext::story(u"S1"_s, u"\u00c9t\u00e9 \U0001F31E"_s)), u"1"_s) +
        u"\r\n junk \r\n"_s + mostext::message(u"<heartbeat/>"_s, u"2"_s));
    // Odd pieces: through characters, a surrogate pair and the tags.
    for (qsizetype at = 0; at < bytes.size(); at += 7) {
        peer->socket->write(bytes.mid(at, 7));
        peer->socket->flush();
        QCoreApplication::processEvents();
    }
    QTRY_COMPARE(peer->answers.size(), 2);
    QCOMPARE(answerType(peer->answers.at(0)), u"roAck"_s);
    QCOMPARE(answerType(peer->answers.at(1)), u"heartbeat"_s);
    QCOMPARE(m_device->runningOrders().find(u"RO1"_s)->stories.at(0).slug, u"\u00c9t\u00e9 \U0001F31E"_s);
}

void TestMosServer::peerLeavingMidMessageChangesNothing()
{
    QSignalSpy changes(m_device.get(), &MosDevice::changed);
    {
        std::unique_ptr<Peer> peer = connectPeer(m_server->upperPort());
        QVERIFY(peer);
        const QString whole = mostext::message(mostext::create(mostext::story(u"S1"_s, u"One"_s)));
        peer->socket->write(mosencode(whole.left(whole.size() - 3)));
        peer->socket->flush();
        QTRY_COMPARE(m_server->connectionCount(), 1);
        QTest::qWait(50); // the part that came is read before the peer goes
    }
    QTRY_COMPARE(m_server->connectionCount(), 0);
    QCOMPARE(changes.size(), 0);
    QVERIFY(m_device->runningOrders().all().isEmpty());
}

void TestMosServer::tooLargeIsRefusedAndClosed()
{
    std::unique_ptr<Peer> peer = connectPeer(m_server->upperPort());
    QVERIFY(peer);
    QSignalSpy refusals(m_device.get(), &MosDevice::refused);
    QSignalSpy closed(peer->socket.get(), &QTcpSocket::disconnected);
    // A story body that never ends, a megabyte at a time, past the limit.
    send(*peer,
         u"<mos><messageID>1</messageID><roStorySend><roID>R</roID><storyID>S</storyID><storyBody><p>"_s);
    const QString block = QString(512 * 1024, u'x');
    for (int i = 0; i < 12 && peer->socket->state() == QAbstractSocket::ConnectedState; ++i) {
        send(*peer, block);
        QTRY_VERIFY_WITH_TIMEOUT(peer->socket->bytesToWrite() == 0 || closed.size() > 0, 10000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(closed.size(), 1, 10000);
    QCOMPARE(peer->answers.size(), 1);
    QCOMPARE(answerType(peer->answers.at(0)), u"mosAck"_s);
    QVERIFY(peer->answers.at(0).contains(u"<status>NACK</status>"_s));
    QVERIFY(peer->answers.at(0).contains(u"larger than"_s));
    QCOMPARE(refusals.size(), 1);
    QTRY_COMPARE(m_server->connectionCount(), 0);
}

void TestMosServer::wrongEncodingIsRefusedAndClosed()
{
    std::unique_ptr<Peer> peer = connectPeer(m_server->lowerPort());
    QVERIFY(peer);
    QSignalSpy closed(peer->socket.get(), &QTcpSocket::disconnected);
    peer->socket->write(mostext::message(u"<heartbeat/>"_s).toUtf8());
    QTRY_COMPARE(closed.size(), 1);
    QCOMPARE(peer->answers.size(), 1);
    QVERIFY(peer->answers.at(0).contains(u"UTF-16 big-endian"_s));
}

void TestMosServer::floodLeavesTheProgramResponsive()
{
    std::unique_ptr<Peer> peer = connectPeer(m_server->lowerPort());
    QVERIFY(peer);
    // Twenty thousand heartbeats at once; meanwhile a timer of the program keeps its pace.
    constexpr int count = 20000;
    QString flood;
    for (int i = 0; i < count; ++i)
        flood += mostext::message(u"<heartbeat/>"_s, QString::number(i));
    send(*peer, flood);
    QElapsedTimer sinceTick;
    sinceTick.start();
    qint64 longestGap = 0;
    QTimer tick;
    connect(&tick, &QTimer::timeout, this, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    tick.start(5);
    QTRY_COMPARE_WITH_TIMEOUT(peer->answers.size(), count, 60000);
    tick.stop();
    QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
    QVERIFY(peer->answers.last().contains(u"<messageID>%1</messageID>"_s.arg(count - 1)));
}

void TestMosServer::quietestConnectionMakesRoom()
{
    std::vector<std::unique_ptr<Peer>> peers;
    for (int i = 0; i < MosServer::maxConnections; ++i) {
        peers.push_back(connectPeer(m_server->lowerPort()));
        QVERIFY(peers.back());
        QTRY_COMPARE(m_server->connectionCount(), i + 1);
        QTest::qWait(5);
    }
    // All but the first speak: the first is the quietest and gives way.
    for (size_t i = 1; i < peers.size(); ++i)
        send(*peers[i], mostext::message(u"<heartbeat/>"_s));
    for (size_t i = 1; i < peers.size(); ++i)
        QTRY_COMPARE(peers[i]->answers.size(), 1);
    QSignalSpy firstClosed(peers[0]->socket.get(), &QTcpSocket::disconnected);
    std::unique_ptr<Peer> newcomer = connectPeer(m_server->upperPort());
    QVERIFY(newcomer);
    QTRY_COMPARE(firstClosed.size(), 1);
    send(*newcomer, mostext::message(u"<heartbeat/>"_s));
    QTRY_COMPARE(newcomer->answers.size(), 1);
    QCOMPARE(m_server->connectionCount(), MosServer::maxConnections);
}

void TestMosServer::portInUseIsReported()
{
    MosDevice other(u"OTHER"_s);
    MosServer second(&other);
    const std::optional<QString> failure = second.listen(QHostAddress::LocalHost, 0, m_server->upperPort());
    QVERIFY(failure);
    QVERIFY2(failure->contains(QString::number(m_server->upperPort())), qPrintable(*failure));
    QVERIFY(!second.isListening());
}

void TestMosServer::addressNotAllowedIsClosedUnread()
{
    m_device->setAdmission(MosAdmission(u"PROMPTER"_s, QString(), u"127.0.0.1"_s));
    QSignalSpy refusals(m_server.get(), &MosServer::notAdmitted);
    QSignalSpy changes(m_device.get(), &MosDevice::changed);
    QSignalSpy counts(m_server.get(), &MosServer::connectionsChanged);
    // Another machine connects and sends a running order at once, as a newsroom system would.
    std::unique_ptr<Peer> stranger = connectPeer(m_server->upperPort(), QHostAddress(u"127.0.0.2"_s));
    QVERIFY(stranger);
    QSignalSpy closed(stranger->socket.get(), &QTcpSocket::disconnected);
    send(*stranger, mostext::message(mostext::create(mostext::story(u"S1"_s, u"One"_s)), u"1"_s));
    QTRY_COMPARE(closed.size(), 1);
    QCOMPARE(refusals.size(), 1);
    const MosRefusal refusal = refusals.at(0).at(0).value<MosRefusal>();
    QCOMPARE(refusal.reason, MosRefusal::Reason::Address);
    QCOMPARE(refusal.peerName(), u"127.0.0.2"_s);
    // Closed unread: no answer, nothing applied, never counted as a connection.
    QCOMPARE(stranger->answers, QStringList());
    QCOMPARE(changes.size(), 0);
    QVERIFY(m_device->runningOrders().all().isEmpty());
    QCOMPARE(counts.size(), 0);

    // The allowed address is let in as before.
    std::unique_ptr<Peer> newsroom = connectPeer(m_server->upperPort());
    QVERIFY(newsroom);
    send(*newsroom, mostext::message(mostext::create(mostext::story(u"S1"_s, u"One"_s)), u"2"_s));
    QTRY_COMPARE(newsroom->answers.size(), 1);
    QVERIFY(newsroom->answers.at(0).contains(u"<roStatus>OK</roStatus>"_s));
    QCOMPARE(refusals.size(), 1);
}

void TestMosServer::peersOfBothProtocolsAreKnown()
{
    // Listening on every address, IPv4 and IPv6 at once: IPv4 peers arrive as ::ffff:a.b.c.d.
    QCOMPARE(m_server->listen(QHostAddress::Any, 0, 0), std::nullopt);
    m_device->setAdmission(MosAdmission(u"PROMPTER"_s, QString(), u"127.0.0.1"_s));
    QSignalSpy refusals(m_server.get(), &MosServer::notAdmitted);
    std::unique_ptr<Peer> ipv4 = connectPeer(m_server->lowerPort());
    QVERIFY(ipv4);
    send(*ipv4, mostext::message(u"<heartbeat/>"_s));
    QTRY_COMPARE(ipv4->answers.size(), 1);
    // This machine over IPv6 is this machine.
    std::unique_ptr<Peer> ipv6 =
        connectPeer(m_server->lowerPort(), QHostAddress::LocalHostIPv6, QHostAddress::LocalHostIPv6);
    if (ipv6) {
        send(*ipv6, mostext::message(u"<heartbeat/>"_s));
        QTRY_COMPARE(ipv6->answers.size(), 1);
    }
    std::unique_ptr<Peer> stranger = connectPeer(m_server->lowerPort(), QHostAddress(u"127.0.0.2"_s));
    QVERIFY(stranger);
    QTRY_COMPARE(refusals.size(), 1);
    QCOMPARE(refusals.at(0).at(0).value<MosRefusal>().peerName(), u"127.0.0.2"_s);
    QTRY_COMPARE(stranger->socket->state(), QAbstractSocket::UnconnectedState);
}

void TestMosServer::refusedPeersMakeNoRoom()
{
    m_device->setAdmission(MosAdmission(u"PROMPTER"_s, QString(), u"127.0.0.1"_s));
    std::vector<std::unique_ptr<Peer>> newsroom;
    for (int i = 0; i < MosServer::maxConnections; ++i) {
        newsroom.push_back(connectPeer(m_server->lowerPort()));
        QVERIFY(newsroom.back());
        QTRY_COMPARE(m_server->connectionCount(), i + 1);
    }
    // Strangers knocking again and again push none of the newsroom's connections out.
    QSignalSpy refusals(m_server.get(), &MosServer::notAdmitted);
    std::vector<std::unique_ptr<Peer>> strangers;
    for (int i = 0; i < 3 * MosServer::maxConnections; ++i)
        strangers.push_back(connectPeer(m_server->lowerPort(), QHostAddress(u"127.0.0.2"_s)));
    QTRY_COMPARE(refusals.size(), 3 * MosServer::maxConnections);
    QCOMPARE(m_server->connectionCount(), MosServer::maxConnections);
    for (const std::unique_ptr<Peer> &peer : newsroom) {
        send(*peer, mostext::message(u"<heartbeat/>"_s));
        QTRY_COMPARE(peer->answers.size(), 1);
    }
}

void TestMosServer::narrowedAdmissionClosesConnections()
{
    std::unique_ptr<Peer> newsroom = connectPeer(m_server->upperPort());
    std::unique_ptr<Peer> stranger = connectPeer(m_server->upperPort(), QHostAddress(u"127.0.0.2"_s));
    QVERIFY(newsroom && stranger);
    QTRY_COMPARE(m_server->connectionCount(), 2);
    QSignalSpy refusals(m_server.get(), &MosServer::notAdmitted);
    QSignalSpy strangerClosed(stranger->socket.get(), &QTcpSocket::disconnected);
    // The operator lists the newsroom's address: the other connection ends at once.
    m_device->setAdmission(MosAdmission(u"PROMPTER"_s, QString(), u"127.0.0.1"_s));
    QCOMPARE(m_server->connectionCount(), 1);
    QCOMPARE(refusals.size(), 1);
    QCOMPARE(refusals.at(0).at(0).value<MosRefusal>().peerName(), u"127.0.0.2"_s);
    QTRY_COMPARE(strangerClosed.size(), 1);
    send(*newsroom, mostext::message(u"<heartbeat/>"_s));
    QTRY_COMPARE(newsroom->answers.size(), 1);
}

VANTELL_CORE_TEST_MAIN(TestMosServer)
#include "test_mosserver.moc"

#include <functional>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include "core/mos/mosdevice.h"
#include "core/mos/mosframer.h"
#include "core/mos/mosmessage.h"
#include "core/mos/mosreplies.h"
#include "core/mos/mosrequester.h"
#include "mos/mostext.h"
#include "testsupport/testmain.h"

// Asking the newsroom for its running orders again, against a newsroom on loopback that answers
// as it is told: all of them come back in order, and a refusal, an answer from a newsroom not let
// in, or a newsroom that is not there changes nothing and says why.
class TestMosRequester : public QObject {
    Q_OBJECT
private slots:
    void init();
    void theRunningOrdersComeBack();
    void aRefusalChangesNothing();
    void anotherNewsroomsAnswerIsNotTaken();
    void aNewsroomThatIsNotThereIsTold();

private:
    // The newsroom's answer to each request it reads (by the request's element), in its envelope
    // from `ncsId`.
    void answer(const std::function<QString(const MosMessage &request)> &reply,
                const QString &ncsId = QStringLiteral("NCS1"));
    QPair<int, QString> askAndWait(MosRequester &requester);

    QTcpServer m_newsroom;
    QStringList m_requests; // what the newsroom was asked, each as its element and roID
};

namespace {

const QString listAll = QStringLiteral("<roListAll><ro><roID>RO1</roID><roSlug>Early</roSlug></ro>"
                                       "<ro><roID>RO2</roID><roSlug>Late</roSlug></ro></roListAll>");

QString runningOrderList(const QString &roId)
{
    return QStringLiteral("<roList><roID>%1</roID><roSlug>%1 show</roSlug>%2%3</roList>")
        .arg(roId, mostext::story(roId + QStringLiteral("-A"), QStringLiteral("Opening")),
             mostext::story(roId + QStringLiteral("-B"), QStringLiteral("Weather")));
}

QString ordinaryAnswer(const MosMessage &request)
{
    return request.kind == MosMessage::Kind::ListAllRequest ? listAll : runningOrderList(request.roId);
}

} // namespace

void TestMosRequester::init()
{
    m_newsroom.close();
    m_newsroom.disconnect();
    m_requests.clear();
    QVERIFY(m_newsroom.listen(QHostAddress::LocalHost, 0));
}

void TestMosRequester::answer(const std::function<QString(const MosMessage &)> &reply, const QString &ncsId)
{
    connect(&m_newsroom, &QTcpServer::newConnection, this, [this, reply, ncsId] {
        QTcpSocket *socket = m_newsroom.nextPendingConnection();
        auto framer = std::make_shared<MosFramer>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, framer, reply, ncsId] {
            framer->feed(socket->readAll());
            while (const std::optional<QString> text = framer->next()) {
                const MosMessage request = parsemosmessage(*text).message;
                m_requests << (request.type + QLatin1Char(' ') + request.roId).trimmed();
                QCOMPARE(request.mosId, QStringLiteral("PROMPTER"));
                QCOMPARE(request.ncsId, QStringLiteral("NCS1"));
                socket->write(mosencode(mostext::messageBetween(ncsId, QStringLiteral("PROMPTER"),
                                                                reply(request), request.messageId)));
            }
        });
    });
}

QPair<int, QString> TestMosRequester::askAndWait(MosRequester &requester)
{
    QSignalSpy finished(&requester, &MosRequester::finished);
    requester.ask(QHostAddress::LocalHost, m_newsroom.serverPort(), QStringLiteral("NCS1"));
    if (!finished.wait(5000))
        return {-1, QStringLiteral("never finished")};
    return {finished.first().at(0).toInt(), finished.first().at(1).toString()};
}

void TestMosRequester::theRunningOrdersComeBack()
{
    answer(ordinaryAnswer);
    MosDevice device(QStringLiteral("PROMPTER"));
    QSignalSpy changed(&device, &MosDevice::changed);
    MosRequester requester(&device);
    QCOMPARE(askAndWait(requester), (QPair<int, QString>{2, QString()}));
    QCOMPARE(m_requests, (QStringList{"roReqAll", "roReq RO1", "roReq RO2"}));
    const QList<MosRunningOrder> &orders = device.runningOrders().all();
    QCOMPARE(orders.size(), 2);
    QCOMPARE(orders.at(0).id, QStringLiteral("RO1"));
    QCOMPARE(orders.at(1).slug, QStringLiteral("RO2 show"));
    QCOMPARE(orders.at(1).stories.size(), 2);
    QCOMPARE(orders.at(1).stories.at(1).slug, QStringLiteral("Weather"));
    QCOMPARE(changed.count(), 2);
    QVERIFY(!requester.isAsking());

    // Asked again (the connection lost once more): the running orders held are replaced, not doubled.
    QCOMPARE(askAndWait(requester).first, 2);
    QCOMPARE(device.runningOrders().all().size(), 2);

    // A newsroom that holds none: nothing to ask for after roReqAll.
    m_requests.clear();
    m_newsroom.disconnect();
    answer([](const MosMessage &) { return QStringLiteral("<roListAll/>"); });
    QCOMPARE(askAndWait(requester), (QPair<int, QString>{0, QString()}));
    QCOMPARE(m_requests, QStringList{"roReqAll"});
}

void TestMosRequester::aRefusalChangesNothing()
{
    // The newsroom names a running order, then refuses to give it.
    answer([](const MosMessage &request) {
        return request.kind == MosMessage::Kind::ListAllRequest
                   ? listAll
                   : QStringLiteral("<roAck><roID>%1</roID><roStatus>not allowed</roStatus></roAck>")
                         .arg(request.roId);
    });
    MosDevice device(QStringLiteral("PROMPTER"));
    MosRequester requester(&device);
    const QPair<int, QString> result = askAndWait(requester);
    QCOMPARE(result.first, 0);
    QVERIFY2(result.second.contains(QLatin1String("roAck")), qPrintable(result.second));
    QVERIFY(device.runningOrders().all().isEmpty());
    QCOMPARE(m_requests, (QStringList{"roReqAll", "roReq RO1"}));
}

void TestMosRequester::anotherNewsroomsAnswerIsNotTaken()
{
    answer(ordinaryAnswer, QStringLiteral("NCS-OTHER"));
    MosDevice device(QStringLiteral("PROMPTER"));
    device.setAdmission(MosAdmission(QStringLiteral("PROMPTER"), QStringLiteral("NCS1"), QString()));
    QSignalSpy notAdmitted(&device, &MosDevice::notAdmitted);
    MosRequester requester(&device);
    const QPair<int, QString> result = askAndWait(requester);
    QCOMPARE(result.first, 0);
    QVERIFY2(result.second.contains(QLatin1String("NCS-OTHER")), qPrintable(result.second));
    QVERIFY(device.runningOrders().all().isEmpty());
    QCOMPARE(notAdmitted.count(), 1);
}

void TestMosRequester::aNewsroomThatIsNotThereIsTold()
{
    const quint16 port = m_newsroom.serverPort();
    m_newsroom.close();
    MosDevice device(QStringLiteral("PROMPTER"));
    MosRequester requester(&device);
    QSignalSpy finished(&requester, &MosRequester::finished);
    requester.ask(QHostAddress::LocalHost, port, QStringLiteral("NCS1"));
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.first().at(0).toInt(), 0);
    QVERIFY(!finished.first().at(1).toString().isEmpty());
    QVERIFY(device.runningOrders().all().isEmpty());
}

VANTELL_CORE_TEST_MAIN(TestMosRequester)
#include "test_mosrequester.moc"

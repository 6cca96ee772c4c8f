#include <QSignalSpy>

#include "core/mos/mosdevice.h"
#include "mos/mostext.h"
#include "core/mos/mosxml.h"
#include "testsupport/testmain.h"

// The device's answers as the newsroom reads them: acknowledgements positive and negative, the
// heartbeat, what it says about itself, and the running orders it lists back.
class TestMosDevice : public QObject {
    Q_OBJECT
private slots:
    void heartbeats();
    void machineInfoNamesTheProfiles();
    void runningOrderMessagesAreAcknowledged();
    void refusalsSayWhy_data();
    void refusalsSayWhy();
    void listsRunningOrders();
    void answersAreNotAnswered();
    void admissionRefusesOtherNewsroomsAndDevices();
    void wireFormat();
};

using namespace Qt::StringLiterals;

namespace {

MosXmlNode read(const QString &answer)
{
    const MosXmlDocument document = readmosxml(answer);
    if (!document.error.isEmpty())
        qWarning() << document.error << answer;
    return document.root;
}

} // namespace

void TestMosDevice::heartbeats()
{
    MosDevice device(u"PROMPTER"_s);
    MosXmlNode answer = read(device.answer(
        mostext::message(u"<heartbeat><time>2024-01-01T00:00:00</time></heartbeat>"_s, u"5"_s)));
    QCOMPARE(answer.name, u"mos"_s);
    QCOMPARE(answer.childText(u"messageID"), u"5"_s);
    QCOMPARE(answer.childText(u"mosID"), u"PROMPTER"_s);
    QCOMPARE(answer.childText(u"ncsID"), u"NCS1"_s);
    QVERIFY(answer.child(u"heartbeat"));
    QVERIFY(
        QDateTime::fromString(answer.child(u"heartbeat")->childText(u"time"), Qt::ISODateWithMs).isValid());
    // Older newsroom systems send heartbeats without a messageID: the answer has none either.
    answer = read(device.answer(mostext::message(u"<heartbeat/>"_s, QString())));
    QVERIFY(answer.child(u"heartbeat"));
    QVERIFY(!answer.child(u"messageID"));
}

void TestMosDevice::machineInfoNamesTheProfiles()
{
    MosDevice device(u"PROMPTER"_s);
    const MosXmlNode answer = read(device.answer(mostext::message(u"<reqMachInfo/>"_s)));
    const MosXmlNode *info = answer.child(u"listMachInfo");
    QVERIFY(info);
    QCOMPARE(info->childText(u"manufacturer"), u"korvanex"_s);
    QCOMPARE(info->childText(u"model"), u"Vantell"_s);
    QCOMPARE(info->childText(u"ID"), u"PROMPTER"_s);
    QCOMPARE(info->childText(u"mosRev"), u"2.8.5"_s);
    const MosXmlNode *profiles = info->child(u"supportedProfiles");
    QVERIFY(profiles);
    QCOMPARE(profiles->attribute(u"deviceType"), u"MOS"_s);
    QStringList claimed;
    for (const MosXmlNode *profile : profiles->all(u"mosProfile"))
        if (profile->textContent() == u"YES")
            claimed << profile->attribute(u"number");
    QCOMPARE(claimed, (QStringList{"0", "2", "4"}));
    QCOMPARE(profiles->all(u"mosProfile").size(), size_t(8));
}

void TestMosDevice::runningOrderMessagesAreAcknowledged()
{
    MosDevice device(u"PROMPTER"_s);
    QSignalSpy changes(&device, &MosDevice::changed);
    MosXmlNode answer =
        read(device.answer(mostext::message(mostext::create(mostext::story(u"S1"_s, u"One"_s)), u"11"_s)));
    QCOMPARE(answer.childText(u"messageID"), u"11"_s);
    QCOMPARE(answer.child(u"roAck")->childText(u"roID"), u"RO1"_s);
    QCOMPARE(answer.child(u"roAck")->childText(u"roStatus"), u"OK"_s);
    QCOMPARE(changes.size(), 1);
    QVERIFY(changes.at(0).at(0).value<MosChange>().created);

    answer = read(device.answer(mostext::message(mostext::storySend(u"S1"_s, u"<p>Hello</p>"_s))));
    QCOMPARE(answer.child(u"roAck")->childText(u"roStatus"), u"OK"_s);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(changes.at(1).at(0).value<MosChange>().textChanged, QStringList{"S1"});
}

void TestMosDevice::refusalsSayWhy_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("answer"); // roAck or mosAck
    QTest::addColumn<QString>("status"); // how roStatus, or statusDescription after NACK, starts
    QTest::addColumn<QString>("messageId");
    QTest::newRow("unknown running order")
        << mostext::message(u"<roDelete><roID>RO9</roID></roDelete>"_s, u"3"_s) << "roAck"
        << "no running order RO9"
        << "3";
    QTest::newRow("malformed running-order message")
        << u"<mos><mosID>P</mosID><ncsID>N</ncsID><messageID>4</messageID><roCreate><roID>RO1</roID></mos>"_s
        << "roAck"
        << "malformed XML: "
        << "4";
    QTest::newRow("profile not claimed")
        << mostext::message(u"<mosReqAll><pause>0</pause></mosReqAll>"_s, u"6"_s) << "mosAck"
        << "<mosReqAll> is not supported"
        << "6";
    QTest::newRow("running-order message not known")
        << mostext::message(u"<roCtrl><roID>RO1</roID></roCtrl>"_s, u"8"_s) << "roAck"
        << "<roCtrl> is not supported"
        << "8";
    QTest::newRow("not a message") << u"<mos>text only</mos>"_s << "mosAck"
                                   << "the message is empty"
                                   << "";
}

void TestMosDevice::refusalsSayWhy()
{
    QFETCH(QString, text);
    QFETCH(QString, answer);
    QFETCH(QString, status);
    QFETCH(QString, messageId);
    MosDevice device(u"PROMPTER"_s);
    QSignalSpy refusals(&device, &MosDevice::refused);
    QSignalSpy changes(&device, &MosDevice::changed);
    const MosXmlNode reply = read(device.answer(text));
    QCOMPARE(reply.childText(u"messageID"), messageId);
    const MosXmlNode *ack = reply.child(answer);
    QVERIFY(ack);
    QString said;
    if (answer == u"roAck") {
        said = ack->childText(u"roStatus");
    } else {
        QCOMPARE(ack->childText(u"status"), u"NACK"_s);
        said = ack->childText(u"statusDescription");
    }
    QVERIFY2(said.startsWith(status), qPrintable(said));
    QCOMPARE(refusals.size(), 1);
    QCOMPARE(changes.size(), 0);
}

void TestMosDevice::listsRunningOrders()
{
    MosDevice device(u"PROMPTER"_s);
    device.answer(mostext::message(
        mostext::create(mostext::story(u"S1"_s, u"One &amp; only"_s, mostext::item(u"I1"_s, u"Clip"_s)) +
                        mostext::story(u"S2"_s, u"Two"_s))));
    device.answer(mostext::message(mostext::create(QString(), u"RO2"_s)));
    MosXmlNode answer = read(device.answer(mostext::message(u"<roReq><roID>RO1</roID></roReq>"_s, u"21"_s)));
    QCOMPARE(answer.childText(u"messageID"), u"21"_s);
    const MosXmlNode *list = answer.child(u"roList");
    QVERIFY(list);
    QCOMPARE(list->childText(u"roID"), u"RO1"_s);
    QCOMPARE(list->childText(u"roSlug"), u"Evening News"_s);
    QCOMPARE(list->all(u"story").size(), size_t(2));
    const MosXmlNode *first = list->all(u"story").at(0);
    QCOMPARE(first->childText(u"storySlug"), u"One & only"_s);
    QCOMPARE(first->child(u"item")->childText(u"itemSlug"), u"Clip"_s);
    QCOMPARE(first->child(u"item")->childText(u"objID"), u"OBJI1"_s);

    answer = read(device.answer(mostext::message(u"<roReqAll/>"_s)));
    const MosXmlNode *all = answer.child(u"roListAll");
    QVERIFY(all);
    QStringList ids;
    for (const MosXmlNode *order : all->all(u"ro"))
        ids << order->childText(u"roID");
    QCOMPARE(ids, (QStringList{"RO1", "RO2"}));
    QVERIFY(!all->all(u"ro").at(0)->child(u"story"));

    answer = read(device.answer(mostext::message(u"<roReq><roID>NONE</roID></roReq>"_s)));
    QCOMPARE(answer.child(u"roAck")->childText(u"roStatus"), u"no running order NONE"_s);
}

void TestMosDevice::answersAreNotAnswered()
{
    MosDevice device(u"PROMPTER"_s);
    QCOMPARE(device.answer(mostext::message(u"<roAck><roID>R</roID><roStatus>OK</roStatus></roAck>"_s)),
             QString());
    QCOMPARE(device.answer(mostext::message(u"<mosAck><objID/><status>ACK</status></mosAck>"_s)), QString());
}

void TestMosDevice::admissionRefusesOtherNewsroomsAndDevices()
{
    MosDevice device(u"PROMPTER"_s);
    device.setAdmission(MosAdmission(u"PROMPTER"_s, u"NCS1"_s));
    QSignalSpy changes(&device, &MosDevice::changed);
    QSignalSpy refusals(&device, &MosDevice::notAdmitted);
    const QHostAddress peer(u"192.0.2.8"_s);
    const auto from = [&](const QString &ncsId, const QString &mosId, const QString &body) {
        return read(device.answer(mostext::messageBetween(ncsId, mosId, body, u"31"_s), peer));
    };
    const QString create = mostext::create(mostext::story(u"S1"_s, u"One"_s));

    // Another newsroom system: its running order is refused with the reason, and changes nothing.
    MosXmlNode answer = from(u"NCS2"_s, u"PROMPTER"_s, create);
    QCOMPARE(answer.childText(u"messageID"), u"31"_s);
    QCOMPARE(answer.child(u"roAck")->childText(u"roID"), u"RO1"_s);
    QCOMPARE(answer.child(u"roAck")->childText(u"roStatus"),
             u"ncsID \"NCS2\" is not the newsroom system this device serves"_s);
    QCOMPARE(refusals.size(), 1);
    const MosRefusal refusal = refusals.at(0).at(0).value<MosRefusal>();
    QCOMPARE(refusal.reason, MosRefusal::Reason::NcsId);
    QCOMPARE(refusal.received, u"NCS2"_s);
    QCOMPARE(refusal.peer, peer);
    // Nor is it told what the device holds or is: other messages are refused as well.
    answer = from(u"NCS2"_s, u"PROMPTER"_s, u"<roReqAll/>"_s);
    QVERIFY(answer.child(u"roAck") && !answer.child(u"roListAll"));
    answer = from(u"NCS2"_s, u"PROMPTER"_s, u"<reqMachInfo/>"_s);
    QCOMPARE(answer.child(u"mosAck")->childText(u"status"), u"NACK"_s);
    QVERIFY(answer.child(u"mosAck")->childText(u"statusDescription").startsWith(u"ncsID \"NCS2\""_s));
    // Its heartbeats are answered: it stays connected and reads in the refusals what is wrong.
    answer = from(u"NCS2"_s, u"PROMPTER"_s, u"<heartbeat/>"_s);
    QVERIFY(answer.child(u"heartbeat"));
    QCOMPARE(device.answer(mostext::messageBetween(u"NCS2"_s, u"PROMPTER"_s,
                                                   u"<roAck><roID>R</roID><roStatus>OK</roStatus></roAck>"_s),
                           peer),
             QString());
    QCOMPARE(refusals.size(), 3);

    // The right newsroom system, but a message for another device.
    answer = from(u"NCS1"_s, u"STUDIO2"_s, create);
    QCOMPARE(answer.child(u"roAck")->childText(u"roStatus"),
             u"mosID \"STUDIO2\" is not this device's, which is \"PROMPTER\""_s);
    QCOMPARE(refusals.size(), 4);
    QCOMPARE(refusals.at(3).at(0).value<MosRefusal>().reason, MosRefusal::Reason::MosId);
    QCOMPARE(changes.size(), 0);
    QVERIFY(device.runningOrders().all().isEmpty());

    // The newsroom system the device serves, addressing it.
    answer = from(u"NCS1"_s, u"PROMPTER"_s, create);
    QCOMPARE(answer.child(u"roAck")->childText(u"roStatus"), u"OK"_s);
    QCOMPARE(changes.size(), 1);
    // A message refused changes nothing of what is there either.
    from(u"NCS2"_s, u"PROMPTER"_s, u"<roDelete><roID>RO1</roID></roDelete>"_s);
    QVERIFY(device.runningOrders().find(u"RO1"_s));

    // A new device ID counts at once, in what the device says of itself too.
    device.setAdmission(MosAdmission(u"STUDIO2"_s));
    answer = from(u"ANY-NEWSROOM"_s, u"STUDIO2"_s, u"<reqMachInfo/>"_s);
    QCOMPARE(answer.child(u"listMachInfo")->childText(u"ID"), u"STUDIO2"_s);
    answer = from(u"ANY-NEWSROOM"_s, u"PROMPTER"_s, u"<roDelete><roID>RO1</roID></roDelete>"_s);
    QVERIFY(answer.child(u"roAck")->childText(u"roStatus").startsWith(u"mosID \"PROMPTER\""_s));
    QVERIFY(device.runningOrders().find(u"RO1"_s));
}

void TestMosDevice::wireFormat()
{
    QCOMPARE(mosencode(u"<mos>\u00e9\U0001F600</mos>"_s),
             QByteArray("\0<\0m\0o\0s\0>\0\xe9\xd8\x3d\xde\x00\0<\0/\0m\0o\0s\0>", 28));
    QCOMPARE(mostime(QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3, 25), Qt::UTC)),
             u"2024-03-09T07:05:03,025Z"_s);
}

VANTELL_CORE_TEST_MAIN(TestMosDevice)
#include "test_mosdevice.moc"

#include "core/mos/mosadmission.h"
#include "core/mos/mosrefusalnotices.h"
#include "testsupport/testmain.h"

// Whom the newsroom device lets in: address lists as operators write them, peers in their IPv4,
// IPv6 and IPv4-in-IPv6 forms, the NCS ID and the device's own MOS ID, empty settings that let
// everyone in as before, and the notices of refusals, told once however often a peer retries.
class TestMosAdmission : public QObject {
    Q_OBJECT
private slots:
    void addressLists_data();
    void addressLists();
    void addresses_data();
    void addresses();
    void messageIds_data();
    void messageIds();
    void peerNames();
    void noticesOncePerPeerAndReason();
    void noticesOfManyPeersStayBounded();
};

using namespace Qt::StringLiterals;

void TestMosAdmission::addressLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QStringList>("invalid");
    QTest::newRow("empty") << u""_s << QStringList() << QStringList();
    QTest::newRow("separators only") << u" , ;\t"_s << QStringList() << QStringList();
    QTest::newRow("commas, semicolons and blanks")
        << u"10.0.0.5,10.0.0.6 ; ::1\t2001:db8::7,,"_s
        << QStringList{"10.0.0.5", "10.0.0.6", "::1", "2001:db8::7"} << QStringList();
    QTest::newRow("names and mistakes are not addresses")
        << u"localhost, 10.0.0.300, 10.0.0.1, 10.0.0.0/24"_s << QStringList{"10.0.0.1"}
        << QStringList{"localhost", "10.0.0.300", "10.0.0.0/24"};
}

void TestMosAdmission::addressLists()
{
    QFETCH(QString, text);
    QFETCH(QStringList, addresses);
    QFETCH(QStringList, invalid);
    const MosAddressList list = readaddresslist(text);
    QStringList read;
    for (const QHostAddress &address : list.addresses)
        read << address.toString();
    QCOMPARE(read, addresses);
    QCOMPARE(list.invalid, invalid);
}

void TestMosAdmission::addresses_data()
{
    QTest::addColumn<QString>("allowed");
    QTest::addColumn<QString>("peer");
    QTest::addColumn<bool>("admitted");
    // Empty: every address, as before the setting was there.
    QTest::newRow("empty") << u""_s << u"192.0.2.77"_s << true;
    QTest::newRow("separators only") << u" , "_s << u"192.0.2.77"_s << true;
    // A server listening on IPv4 and IPv6 at once sees IPv4 peers as ::ffff:a.b.c.d.
    QTest::newRow("IPv4 peer") << u"127.0.0.1"_s << u"127.0.0.1"_s << true;
    QTest::newRow("IPv4 peer in IPv6 form") << u"127.0.0.1"_s << u"::ffff:127.0.0.1"_s << true;
    QTest::newRow("IPv6 form in the list") << u"::ffff:127.0.0.1"_s << u"127.0.0.1"_s << true;
    QTest::newRow("another IPv4 peer") << u"127.0.0.1"_s << u"127.0.0.2"_s << false;
    QTest::newRow("another peer in IPv6 form") << u"127.0.0.1"_s << u"::ffff:127.0.0.2"_s << false;
    // The loopback addresses of both protocols are this machine.
    QTest::newRow("::1 for 127.0.0.1") << u"127.0.0.1"_s << u"::1"_s << true;
    QTest::newRow("127.0.0.1 for ::1") << u"::1"_s << u"127.0.0.1"_s << true;
    QTest::newRow("::1 is not 127.0.0.2") << u"::1"_s << u"127.0.0.2"_s << false;
    QTest::newRow("another IPv6 peer") << u"2001:db8::5"_s << u"2001:db8::6"_s << false;
    QTest::newRow("one of several") << u"10.0.0.5, 10.0.0.6"_s << u"10.0.0.6"_s << true;
    QTest::newRow("link-local on any interface") << u"fe80::1"_s << u"fe80::1%lo"_s << true;
    // A list of nothing but mistakes lets no one in, rather than everyone.
    QTest::newRow("only a mistake") << u"localhost"_s << u"127.0.0.1"_s << false;
    QTest::newRow("a mistake beside an address") << u"localhost 10.0.0.5"_s << u"10.0.0.5"_s << true;
}

void TestMosAdmission::addresses()
{
    QFETCH(QString, allowed);
    QFETCH(QString, peer);
    QFETCH(bool, admitted);
    const MosAdmission admission(u"PROMPTER"_s, QString(), allowed);
    QCOMPARE(admission.admitsAddress(QHostAddress(peer)), admitted);
}

void TestMosAdmission::messageIds_data()
{
    QTest::addColumn<QString>("ncsSetting");
    QTest::addColumn<QString>("ncsId");
    QTest::addColumn<QString>("mosId");
    QTest::addColumn<int>("reason"); // -1: let in
    QTest::addColumn<QString>("received");
    const int none = -1;
    const int ncs = int(MosRefusal::Reason::NcsId);
    const int mos = int(MosRefusal::Reason::MosId);
    QTest::newRow("right IDs") << u"NCS1"_s << u"NCS1"_s << u"PROMPTER"_s << none << QString();
    QTest::newRow("blanks around the IDs")
        << u" NCS1 "_s << u"\n NCS1 "_s << u" PROMPTER\t"_s << none << QString();
    QTest::newRow("another newsroom") << u"NCS1"_s << u"NCS2"_s << u"PROMPTER"_s << ncs << u"NCS2"_s;
    QTest::newRow("IDs are exact") << u"NCS1"_s << u"ncs1"_s << u"PROMPTER"_s << ncs << u"ncs1"_s;
    QTest::newRow("no NCS ID sent") << u"NCS1"_s << QString() << u"PROMPTER"_s << ncs << QString();
    QTest::newRow("another device") << u"NCS1"_s << u"NCS1"_s << u"STUDIO2"_s << mos << u"STUDIO2"_s;
    QTest::newRow("both wrong: the newsroom first") << u"NCS1"_s << u"X"_s << u"Y"_s << ncs << u"X"_s;
    // Empty: any newsroom system, as before the setting was there; the device's ID still counts.
    QTest::newRow("empty setting, any newsroom")
        << QString() << u"ANYONE"_s << u"PROMPTER"_s << none << QString();
    QTest::newRow("empty setting, no NCS ID sent")
        << QString() << QString() << u"PROMPTER"_s << none << QString();
    QTest::newRow("empty setting, another device")
        << QString() << u"ANYONE"_s << u"OTHER"_s << mos << u"OTHER"_s;
    QTest::newRow("no MOS ID sent") << QString() << u"NCS1"_s << QString() << mos << QString();
}

void TestMosAdmission::messageIds()
{
    QFETCH(QString, ncsSetting);
    QFETCH(QString, ncsId);
    QFETCH(QString, mosId);
    QFETCH(int, reason);
    QFETCH(QString, received);
    const MosAdmission admission(u"PROMPTER"_s, ncsSetting);
    const QHostAddress peer(u"192.0.2.8"_s);
    const std::optional<MosRefusal> refusal = admission.refusal(ncsId, mosId, peer);
    QCOMPARE(refusal.has_value(), reason >= 0);
    if (!refusal)
        return;
    QCOMPARE(int(refusal->reason), reason);
    QCOMPARE(refusal->received, received);
    QCOMPARE(refusal->expected, reason == int(MosRefusal::Reason::NcsId) ? u"NCS1"_s : u"PROMPTER"_s);
    QCOMPARE(refusal->peer, peer);
}

void TestMosAdmission::peerNames()
{
    const auto name = [](const QString &address) {
        return MosRefusal{MosRefusal::Reason::Address, QHostAddress(address), {}, {}}.peerName();
    };
    QCOMPARE(name(u"::ffff:192.0.2.8"_s), u"192.0.2.8"_s);
    QCOMPARE(name(u"192.0.2.8"_s), u"192.0.2.8"_s);
    QCOMPARE(name(u"::1"_s), u"::1"_s);
}

void TestMosAdmission::noticesOncePerPeerAndReason()
{
    using Reason = MosRefusal::Reason;
    const auto refusal = [](const QString &peer, Reason reason) {
        return MosRefusal{reason, QHostAddress(peer), u"X"_s, u"Y"_s};
    };
    MosRefusalNotices notices;
    const qint64 start = 1000;
    QVERIFY(notices.tell(refusal(u"10.0.0.9"_s, Reason::NcsId), start));
    // The peer retries, over both its connections and in both address forms: told once.
    QVERIFY(!notices.tell(refusal(u"10.0.0.9"_s, Reason::NcsId), start + 1000));
    QVERIFY(!notices.tell(refusal(u"::ffff:10.0.0.9"_s, Reason::NcsId), start + 2000));
    // Another reason or another peer is news.
    QVERIFY(notices.tell(refusal(u"10.0.0.9"_s, Reason::MosId), start + 3000));
    QVERIFY(notices.tell(refusal(u"10.0.0.10"_s, Reason::NcsId), start + 3000));
    // Still retrying once the quiet time is over: told again, then quiet again.
    QVERIFY(!notices.tell(refusal(u"10.0.0.9"_s, Reason::NcsId), start + MosRefusalNotices::quietMs - 1));
    QVERIFY(notices.tell(refusal(u"10.0.0.9"_s, Reason::NcsId), start + MosRefusalNotices::quietMs));
    QVERIFY(!notices.tell(refusal(u"10.0.0.9"_s, Reason::NcsId), start + MosRefusalNotices::quietMs + 10));
}

void TestMosAdmission::noticesOfManyPeersStayBounded()
{
    MosRefusalNotices notices;
    const auto address = [](int n) {
        return MosRefusal{MosRefusal::Reason::Address, QHostAddress(quint32(0x0a000000 + n)), {}, {}};
    };
    for (int n = 0; n < MosRefusalNotices::maxRemembered; ++n)
        QVERIFY(notices.tell(address(n), n));
    // A crowd of peers at once: those told of already stand for the rest.
    QVERIFY(!notices.tell(address(MosRefusalNotices::maxRemembered), 1000));
    // Once the first have been quiet long enough, room is made for new ones.
    QVERIFY(notices.tell(address(MosRefusalNotices::maxRemembered), MosRefusalNotices::quietMs + 10));
    QVERIFY(!notices.tell(address(MosRefusalNotices::maxRemembered), MosRefusalNotices::quietMs + 20));
}

VANTELL_CORE_TEST_MAIN(TestMosAdmission)
#include "test_mosadmission.moc"

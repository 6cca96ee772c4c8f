#include <QElapsedTimer>
#include <QStringEncoder>

#include "core/mos/mosframer.h"
#include "testsupport/testmain.h"

// The stream of a newsroom connection cut into messages: junk between them, messages in pieces,
// cut short, too large, or in the wrong encoding.
class TestMosFramer : public QObject {
    Q_OBJECT
private slots:
    void framing_data();
    void framing();
    void everySplitGivesTheSameMessages();
    void messageCutShortByANewOneComesOutAlone();
    void incompleteMessageWaits();
    void tooLargeStops();
    void wrongEncodingStops_data();
    void wrongEncodingStops();
    void burstOfSmallMessagesIsLinear();
};

using namespace Qt::StringLiterals;

namespace {

QByteArray utf16be(const QString &text)
{
    QStringEncoder encoder(QStringConverter::Utf16BE);
    return encoder.encode(text);
}

QStringList drain(MosFramer &framer)
{
    QStringList messages;
    while (std::optional<QString> message = framer.next())
        messages << *message;
    return messages;
}

const QString heartbeat = QStringLiteral("<mos><mosID>P</mosID><heartbeat/></mos>");
const QString withEmoji = QStringLiteral("<mos><roSlug>Wetter \U0001F326 heute</roSlug></mos>");

} // namespace

void TestMosFramer::framing_data()
{
    QTest::addColumn<QString>("stream");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("one message") << heartbeat << QStringList{heartbeat};
    QTest::newRow("declaration and mark before")
        << u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16BE\"?>\r\n"_s + heartbeat << QStringList{heartbeat};
    QTest::newRow("junk between") << u"noise"_s + heartbeat + u"\r\n<mosID>x</mosID> more "_s + withEmoji +
                                         u"tail"_s
                                  << QStringList{heartbeat, withEmoji};
    QTest::newRow("end tag with blanks")
        << u"<mos><heartbeat/></mos \r\n>"_s << QStringList{u"<mos><heartbeat/></mos \r\n>"_s};
    QTest::newRow("start tag with attributes") << u"<mos version=\"2.8\"><heartbeat/></mos>"_s
                                               << QStringList{u"<mos version=\"2.8\"><heartbeat/></mos>"_s};
    QTest::newRow("look-alike end tags inside")
        << u"<mos><mosID>a</mosID></mosx></mos>"_s << QStringList{u"<mos><mosID>a</mosID></mosx></mos>"_s};
    QTest::newRow("no message at all") << u"<mosID>only</mosID> </mos>"_s << QStringList{};
}

void TestMosFramer::framing()
{
    QFETCH(QString, stream);
    QFETCH(QStringList, messages);
    MosFramer framer;
    framer.feed(utf16be(stream));
    QCOMPARE(drain(framer), messages);
    QCOMPARE(framer.state(), MosFramer::State::Reading);
    QVERIFY(!framer.inMessage());
}

void TestMosFramer::everySplitGivesTheSameMessages()
{
    // Split at every byte: through code units, through a surrogate pair, through both tags.
    const QString stream = u"junk"_s + withEmoji + heartbeat + u"\n"_s + withEmoji;
    const QByteArray bytes = utf16be(stream);
    for (qsizetype split = 0; split <= bytes.size(); ++split) {
        MosFramer framer;
        framer.feed(QByteArrayView(bytes).first(split));
        QStringList messages = drain(framer);
        framer.feed(QByteArrayView(bytes).sliced(split));
        messages << drain(framer);
        QCOMPARE(messages, (QStringList{withEmoji, heartbeat, withEmoji}));
    }
    // And a byte at a time.
    MosFramer framer;
    QStringList messages;
    for (const char byte : bytes) {
        framer.feed(QByteArrayView(&byte, 1));
        messages << drain(framer);
    }
    QCOMPARE(messages, (QStringList{withEmoji, heartbeat, withEmoji}));
}

void TestMosFramer::messageCutShortByANewOneComesOutAlone()
{
    MosFramer framer;
    framer.feed(utf16be(u"<mos><roCreate><roID>1</ro"_s + heartbeat));
    QCOMPARE(drain(framer), (QStringList{u"<mos><roCreate><roID>1</ro"_s, heartbeat}));
}

void TestMosFramer::incompleteMessageWaits()
{
    MosFramer framer;
    framer.feed(utf16be(u"<mos><heartbeat/></mo"_s));
    QCOMPARE(drain(framer), QStringList{});
    QVERIFY(framer.inMessage());
    QVERIFY(framer.pendingBytes() > 0);
    framer.feed(utf16be(u"s>"_s));
    QCOMPARE(drain(framer), QStringList{u"<mos><heartbeat/></mos>"_s});
}

void TestMosFramer::tooLargeStops()
{
    MosFramer framer(1000);
    framer.feed(utf16be(heartbeat)); // small enough
    framer.feed(utf16be(u"<mos>"_s + QString(600, u'x')));
    QCOMPARE(drain(framer), QStringList{heartbeat});
    QCOMPARE(framer.state(), MosFramer::State::TooLarge);
    // Nothing after it is taken, even a message that would fit.
    framer.feed(utf16be(u"</mos>"_s + heartbeat));
    QCOMPARE(drain(framer), QStringList{});

    // A message that arrives whole in one piece is held to the same limit.
    MosFramer whole(1000);
    whole.feed(utf16be(u"<mos>"_s + QString(600, u'x') + u"</mos>"_s));
    QCOMPARE(drain(whole), QStringList{});
    QCOMPARE(whole.state(), MosFramer::State::TooLarge);
}

void TestMosFramer::wrongEncodingStops_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8") << heartbeat.toUtf8();
    QTest::newRow("UTF-8 after one byte") << QByteArray("x") + heartbeat.toUtf8();
    QStringEncoder littleEndian(QStringConverter::Utf16LE);
    QTest::newRow("UTF-16 little-endian") << QByteArray(littleEndian.encode(heartbeat));
    QTest::newRow("UTF-16 little-endian after one byte") << QByteArray("x") + littleEndian.encode(heartbeat);
}

void TestMosFramer::wrongEncodingStops()
{
    QFETCH(QByteArray, bytes);
    MosFramer framer;
    framer.feed(bytes);
    QCOMPARE(drain(framer), QStringList{});
    QCOMPARE(framer.state(), MosFramer::State::WrongEncoding);
}

void TestMosFramer::burstOfSmallMessagesIsLinear()
{
    // Many messages arriving at once cost no more each than a few: the framer never copies the
    // rest of its buffer per message.
    const auto timeFor = [](int count) {
        QString stream;
        for (int i = 0; i < count; ++i)
            stream += heartbeat;
        const QByteArray bytes = utf16be(stream);
        QElapsedTimer clock;
        clock.start();
        MosFramer framer(qsizetype(1) << 30);
        framer.feed(bytes);
        const qsizetype found = drain(framer).size();
        return found == count ? clock.nsecsElapsed() : -1;
    };
    const qint64 small = timeFor(20000);
    const qint64 large = timeFor(160000);
    QVERIFY(small > 0 && large > 0);
    // Linear time gives 8 times as long; quadratic, 64 times.
    QVERIFY2(large < small * 30, qPrintable(QStringLiteral("%1 ns against %2 ns").arg(large).arg(small)));
}

VANTELL_CORE_TEST_MAIN(TestMosFramer)
#include "test_mosframer.moc"

#include "core/mos/mosmessage.h"
#include "mos/mostext.h"
#include "testsupport/testmain.h"

// Reading newsroom messages into their values: the running order, the changes to it in the new
// and the older forms, the story text, and what is refused and why.
class TestMosMessage : public QObject {
    Q_OBJECT
private slots:
    void envelopeAndRunningOrder();
    void elementActions_data();
    void elementActions();
    void storyText_data();
    void storyText();
    void statusAndReadyToAir();
    void floatedStories();
    void refused_data();
    void refused();
    void malformedKeepsWhatAnswerNeeds();
};

using namespace Qt::StringLiterals;
using Operation = MosElementAction::Operation;
Q_DECLARE_METATYPE(MosElementAction::Operation)

namespace {

QString describeText(const MosStoryText &text)
{
    // One line per paragraph; instructions in {}, bold in **, italic in //, underlined in __.
    QStringList lines;
    for (const MosParagraph &paragraph : text.paragraphs) {
        QString line;
        for (const MosTextRun &run : paragraph) {
            QString part = run.text;
            if (run.underline)
                part = u"__"_s + part + u"__"_s;
            if (run.italic)
                part = u"//"_s + part + u"//"_s;
            if (run.bold)
                part = u"**"_s + part + u"**"_s;
            if (run.instruction)
                part = u"{"_s + part + u"}"_s;
            line += part;
        }
        lines << line;
    }
    return lines.join(u'|');
}

} // namespace

void TestMosMessage::envelopeAndRunningOrder()
{
    const MosParseResult result = parsemosmessage(mostext::message(
        u"<roCreate><roID>RO1</roID><roSlug> Evening &amp; News "
        u"</roSlug><roEdStart>2024-05-01T18:00:00</roEdStart>"
        "<mosExternalMetadata><mosPayload><x>ignored</x></mosPayload></mosExternalMetadata>"_s +
            mostext::story(u"S1"_s, u"Opening"_s,
                           mostext::item(u"I1"_s, u"Clip"_s) + mostext::item(u"I2"_s)) +
            mostext::story(u"S2"_s, u"Weather"_s) + u"</roCreate>"_s,
        u"42"_s));
    QCOMPARE(result.error, QString());
    const MosMessage &message = result.message;
    QCOMPARE(message.kind, MosMessage::Kind::Create);
    QCOMPARE(message.mosId, u"PROMPTER"_s);
    QCOMPARE(message.ncsId, u"NCS1"_s);
    QCOMPARE(message.messageId, u"42"_s);
    QCOMPARE(message.roId, u"RO1"_s);
    QVERIFY(message.isRunningOrderMessage());
    const MosRunningOrder &order = message.runningOrder;
    QCOMPARE(order.slug, u"Evening & News"_s);
    QCOMPARE(order.editorialStart, u"2024-05-01T18:00:00"_s);
    QCOMPARE(order.stories.size(), 2);
    QCOMPARE(order.stories.at(0).slug, u"Opening"_s);
    QCOMPARE(order.stories.at(0).items.size(), 2);
    QCOMPARE(order.stories.at(0).items.at(0).slug, u"Clip"_s);
    QCOMPARE(order.stories.at(0).items.at(0).objectId, u"OBJI1"_s);
    QCOMPARE(order.stories.at(1).id, u"S2"_s);
    QVERIFY(!order.stories.at(0).text);
}

void TestMosMessage::elementActions_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<bool>("onItems");
    QTest::addColumn<QString>("targetStory");
    QTest::addColumn<QString>("targetItem");
    QTest::addColumn<QStringList>("elements"); // IDs of the stories or items given, or named

    const QString s3 = mostext::story(u"S3"_s, u"New"_s);
    QTest::newRow("insert stories")
        << u"<roElementAction operation=\"INSERT\"><roID>RO1</roID><element_target>"
           "<storyID>S2</storyID></element_target><element_source>"_s +
               s3 + mostext::story(u"S4"_s, u"Newer"_s) + u"</element_source></roElementAction>"_s
        << Operation::Insert << false << "S2"
        << "" << QStringList{"S3", "S4"};
    QTest::newRow("insert items")
        << u"<roElementAction operation=\"INSERT\"><roID>RO1</roID><element_target>"
           "<storyID>S2</storyID><itemID>I1</itemID></element_target><element_source>"_s +
               mostext::item(u"I9"_s) + u"</element_source></roElementAction>"_s
        << Operation::Insert << true << "S2"
        << "I1" << QStringList{"I9"};
    QTest::newRow("replace story")
        << u"<roElementAction operation=\"REPLACE\"><roID>RO1</roID><element_target>"
           "<storyID>S2</storyID></element_target><element_source>"_s +
               s3 + u"</element_source></roElementAction>"_s
        << Operation::Replace << false << "S2"
        << "" << QStringList{"S3"};
    QTest::newRow("move stories to the end")
        << u"<roElementAction operation=\"MOVE\"><roID>RO1</roID><element_target>"
           "<storyID></storyID></element_target><element_source><storyID>S1</storyID>"
           "<storyID>S2</storyID></element_source></roElementAction>"_s
        << Operation::Move << false << ""
        << "" << QStringList{"S1", "S2"};
    QTest::newRow("delete items")
        << u"<roElementAction operation=\"DELETE\"><roID>RO1</roID><element_target>"
           "<storyID>S1</storyID></element_target><element_source><itemID>I1</itemID>"
           "</element_source></roElementAction>"_s
        << Operation::Delete << true << "S1"
        << "" << QStringList{"I1"};
    QTest::newRow("swap stories, operation in lower case")
        << u"<roElementAction operation=\"swap\"><roID>RO1</roID><element_source><storyID>S1</storyID>"
           "<storyID>S2</storyID></element_source></roElementAction>"_s
        << Operation::Swap << false << ""
        << "" << QStringList{"S1", "S2"};

    QTest::newRow("roStoryAppend") << u"<roStoryAppend><roID>RO1</roID>"_s + s3 + u"</roStoryAppend>"_s
                                   << Operation::Insert << false << ""
                                   << "" << QStringList{"S3"};
    QTest::newRow("roStoryInsert") << u"<roStoryInsert><roID>RO1</roID><storyID>S1</storyID>"_s + s3 +
                                          u"</roStoryInsert>"_s
                                   << Operation::Insert << false << "S1"
                                   << "" << QStringList{"S3"};
    QTest::newRow("roStoryReplace") << u"<roStoryReplace><roID>RO1</roID><storyID>S1</storyID>"_s + s3 +
                                           u"</roStoryReplace>"_s
                                    << Operation::Replace << false << "S1"
                                    << "" << QStringList{"S3"};
    QTest::newRow("roStoryMove before another")
        << u"<roStoryMove><roID>RO1</roID><storyID>S2</storyID><storyID>S1</storyID></roStoryMove>"_s
        << Operation::Move << false << "S1"
        << "" << QStringList{"S2"};
    QTest::newRow("roStoryMove with a blank second: to the end")
        << u"<roStoryMove><roID>RO1</roID><storyID>S1</storyID><storyID/></roStoryMove>"_s << Operation::Move
        << false << ""
        << "" << QStringList{"S1"};
    QTest::newRow("roStoryMoveMultiple: the last is the target")
        << u"<roStoryMoveMultiple><roID>RO1</roID><storyID>S2</storyID><storyID>S3</storyID><storyID>S1</"
           u"storyID>"
           "</roStoryMoveMultiple>"_s
        << Operation::Move << false << "S1"
        << "" << QStringList{"S2", "S3"};
    QTest::newRow("roStorySwap") << u"<roStorySwap><roID>RO1</roID><storyID>S1</storyID><storyID>S2</storyID>"
                                    "</roStorySwap>"_s
                                 << Operation::Swap << false << ""
                                 << "" << QStringList{"S1", "S2"};
    QTest::newRow("roStoryDelete")
        << u"<roStoryDelete><roID>RO1</roID><storyID>S1</storyID><storyID>S2</storyID>"
           "</roStoryDelete>"_s
        << Operation::Delete << false << ""
        << "" << QStringList{"S1", "S2"};
    QTest::newRow("roItemInsert")
        << u"<roItemInsert><roID>RO1</roID><storyID>S1</storyID><itemID>I2</itemID>"_s +
               mostext::item(u"I5"_s) + u"</roItemInsert>"_s
        << Operation::Insert << true << "S1"
        << "I2" << QStringList{"I5"};
    QTest::newRow("roItemReplace")
        << u"<roItemReplace><roID>RO1</roID><storyID>S1</storyID><itemID>I2</itemID>"_s +
               mostext::item(u"I5"_s) + u"</roItemReplace>"_s
        << Operation::Replace << true << "S1"
        << "I2" << QStringList{"I5"};
    QTest::newRow("roItemMoveMultiple") << u"<roItemMoveMultiple><roID>RO1</roID><storyID>S1</storyID>"
                                           "<itemID>I3</itemID><itemID>I1</itemID></roItemMoveMultiple>"_s
                                        << Operation::Move << true << "S1"
                                        << "I1" << QStringList{"I3"};
    QTest::newRow("roItemDelete") << u"<roItemDelete><roID>RO1</roID><storyID>S1</storyID><itemID>I1</itemID>"
                                     "<itemID>I2</itemID></roItemDelete>"_s
                                  << Operation::Delete << true << "S1"
                                  << "" << QStringList{"I1", "I2"};
}

void TestMosMessage::elementActions()
{
    QFETCH(QString, body);
    QFETCH(Operation, operation);
    QFETCH(bool, onItems);
    QFETCH(QString, targetStory);
    QFETCH(QString, targetItem);
    QFETCH(QStringList, elements);
    const MosParseResult result = parsemosmessage(mostext::message(body));
    QCOMPARE(result.error, QString());
    QCOMPARE(result.message.kind, MosMessage::Kind::ElementAction);
    QCOMPARE(result.message.roId, u"RO1"_s);
    const MosElementAction &action = result.message.action;
    QCOMPARE(action.operation, operation);
    QCOMPARE(action.onItems, onItems);
    QCOMPARE(action.targetStoryId, targetStory);
    QCOMPARE(action.targetItemId, targetItem);
    QStringList given = action.ids;
    for (const MosStory &story : action.stories)
        given << story.id;
    for (const MosItem &item : action.items)
        given << item.id;
    QCOMPARE(given, elements);
}

void TestMosMessage::storyText_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("text");
    QTest::newRow("paragraphs, white space folded")
        << u"<p>  Good   evening.\r\n  Tonight: </p><p></p><p>Second</p>"_s
        << u"Good evening. Tonight:||Second"_s;
    QTest::newRow("looks")
        << u"<p>A <b>bold</b> and <i>slanted <u>under</u></i> word, <em>stressed</em></p>"_s
        << u"A **bold** and //slanted ////__under__// word, //stressed//"_s;
    QTest::newRow("presenter instructions and package text")
        << u"<p>Read this <pi>(LOOK LEFT)</pi> then this</p><pi>CUE VT</pi><pkg>The package says this</pkg>"_s
        << u"Read this {(LOOK LEFT)} then this|{CUE VT}|{The package says this}"_s;
    QTest::newRow("square brackets")
        << u"<p>Hello [SMILE] world [open to the end</p><p>[WHOLE LINE]</p><p>a [b <b>c] d</b></p>"_s
        << u"Hello {[SMILE]} world {[open to the end}|{[WHOLE LINE]}|a {[b }{**c]**}** d**"_s;
    QTest::newRow("presenter, items and what is not text")
        << u"<storyPresenter>Anna</storyPresenter><storyPresenterRR>12</storyPresenterRR>"
           "<p>Over to <storyItem><itemID>1</itemID><itemSlug>Clip A</itemSlug></storyItem> you</p>"
           "<storyItem><itemID>2</itemID><objID>OBJ2</objID></storyItem>"
           "<storyItem><itemID>3</itemID></storyItem>"
           "<mosExternalMetadata><mosPayload>secret</mosPayload></mosExternalMetadata>"_s
        << u"{Anna}|Over to {[Clip A]} you|{[OBJ2]}"_s;
    QTest::newRow("tab and line break") << u"<p>one<tab/>two<br/>three</p>"_s << u"one two|three"_s;
    QTest::newRow("text outside paragraphs")
        << u"First line\n\n  second line  \n"_s << u"First line|second line"_s;
    QTest::newRow("entities and CDATA")
        << u"<p>caf&#233; &lt;ok&gt; <![CDATA[<raw> & done]]></p>"_s << u"café <ok> <raw> & done"_s;
    QTest::newRow("empty body") << QString() << QString();
}

void TestMosMessage::storyText()
{
    QFETCH(QString, body);
    QFETCH(QString, text);
    const MosParseResult result = parsemosmessage(mostext::message(mostext::storySend(u"S1"_s, body)));
    QCOMPARE(result.error, QString());
    QCOMPARE(result.message.kind, MosMessage::Kind::StorySend);
    QCOMPARE(result.message.story.id, u"S1"_s);
    QVERIFY(result.message.story.text);
    QCOMPARE(describeText(*result.message.story.text), text);
}

void TestMosMessage::statusAndReadyToAir()
{
    MosParseResult result = parsemosmessage(mostext::message(
        u"<roElementStat element=\"ITEM\"><roID>RO1</roID><storyID>S1</storyID><itemID>I1</itemID>"
        "<objID>O</objID><itemChannel>A</itemChannel><status>PLAY</status><time>2024-01-01T00:00:00</time>"
        "</roElementStat>"_s));
    QCOMPARE(result.error, QString());
    QCOMPARE(result.message.kind, MosMessage::Kind::ElementStatus);
    QCOMPARE(result.message.elementStatus.element, MosElementStatus::Element::Item);
    QCOMPARE(result.message.elementStatus.itemId, u"I1"_s);
    QCOMPARE(result.message.elementStatus.status, u"PLAY"_s);

    result = parsemosmessage(
        mostext::message(u"<roReadyToAir><roID>RO1</roID><roAir>NOT READY</roAir></roReadyToAir>"_s));
    QCOMPARE(result.message.kind, MosMessage::Kind::ReadyToAir);
    QCOMPARE(result.message.airStatus, u"NOT READY"_s);

    result =
        parsemosmessage(mostext::message(u"<heartbeat><time>2024-01-01T00:00:00</time></heartbeat>"_s, {}));
    QCOMPARE(result.message.kind, MosMessage::Kind::Heartbeat);
    QCOMPARE(result.message.messageId, QString());
    QVERIFY(!result.message.isRunningOrderMessage());

    result = parsemosmessage(mostext::message(u"<mosReqAll><pause>0</pause></mosReqAll>"_s));
    QCOMPARE(result.error, QString());
    QCOMPARE(result.message.kind, MosMessage::Kind::Unsupported);
    QCOMPARE(result.message.type, u"mosReqAll"_s);
}

void TestMosMessage::floatedStories()
{
    // The newsroom marks a floated story in its external metadata; any other word keeps it in.
    const auto metadata = [](const QString &payload) {
        return u"<mosExternalMetadata><mosScope>PLAYLIST</mosScope><mosPayload>"_s + payload +
               u"</mosPayload></mosExternalMetadata>"_s;
    };
    const QString floated = u"<story><storyID>S2</storyID><storySlug>Cut</storySlug>"_s +
                            metadata(u"<Float>TRUE</Float>"_s) + u"</story>"_s;
    const QString nested = u"<story><storyID>S3</storyID><storySlug>Deep</storySlug>"_s +
                           metadata(u"<state><floated>1</floated></state>"_s) + u"</story>"_s;
    const QString kept = u"<story><storyID>S4</storyID><storySlug>Kept</storySlug>"_s +
                         metadata(u"<float>false</float><note>float</note>"_s) + u"</story>"_s;
    const MosParseResult result = parsemosmessage(
        mostext::message(mostext::create(mostext::story(u"S1"_s, u"Plain"_s) + floated + nested + kept)));
    QCOMPARE(result.error, QString());
    const QList<MosStory> &stories = result.message.runningOrder.stories;
    QCOMPARE(stories.size(), 4);
    QVERIFY(!stories.at(0).floated);
    QVERIFY(stories.at(1).floated);
    QVERIFY(stories.at(2).floated);
    QVERIFY(!stories.at(3).floated);
}

void TestMosMessage::refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not MOS") << u"<html><body/></html>"_s << u"not a MOS message: <html>"_s;
    QTest::newRow("empty message") << mostext::message(QString()) << u"the message is empty"_s;
    QTest::newRow("no roID") << mostext::message(u"<roCreate><roSlug>x</roSlug></roCreate>"_s)
                             << u"<roCreate> has no <roID>"_s;
    QTest::newRow("story without ID")
        << mostext::message(mostext::create(u"<story><storySlug>x</storySlug></story>"_s))
        << u"<story> has no <storyID>"_s;
    QTest::newRow("story ID twice") << mostext::message(mostext::create(mostext::story(u"S"_s, u"a"_s) +
                                                                        mostext::story(u"S"_s, u"b"_s)))
                                    << u"storyID S appears twice"_s;
    QTest::newRow("unknown operation")
        << mostext::message(
               u"<roElementAction operation=\"SHUFFLE\"><roID>R</roID><element_source/></roElementAction>"_s)
        << u"unknown operation \"SHUFFLE\""_s;
    QTest::newRow("swap of three")
        << mostext::message(u"<roStorySwap><roID>R</roID><storyID>a</storyID><storyID>b</storyID>"
                            "<storyID>c</storyID></roStorySwap>"_s)
        << u"<roStorySwap> names 3 stories, not two"_s;
    QTest::newRow("delete of nothing") << mostext::message(u"<roStoryDelete><roID>R</roID></roStoryDelete>"_s)
                                       << u"<roStoryDelete> names nothing to act on"_s;
    QTest::newRow("item action without its story")
        << mostext::message(u"<roElementAction operation=\"DELETE\"><roID>R</roID><element_source>"
                            "<itemID>I</itemID></element_source></roElementAction>"_s)
        << u"<roElementAction> does not say whose items"_s;
    QTest::newRow("ready to air, unclear")
        << mostext::message(u"<roReadyToAir><roID>R</roID><roAir>SOON</roAir></roReadyToAir>"_s)
        << u"<roAir> is neither READY nor NOT READY"_s;
    QTest::newRow("document type") << u"<!DOCTYPE mos [<!ENTITY a \"aaaa\">]><mos><heartbeat/></mos>"_s
                                   << u"malformed XML: document type declarations are not accepted"_s;
    QString deep = mostext::message(u"<roStorySend><roID>R</roID><storyID>S</storyID><storyBody>"_s +
                                    QString(u"<p>"_s).repeated(100) + QString(u"</p>"_s).repeated(100) +
                                    u"</storyBody></roStorySend>"_s);
    QTest::newRow("nested too deep") << deep << u"malformed XML: elements nested deeper than 64"_s;
}

void TestMosMessage::refused()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);
    QCOMPARE(parsemosmessage(text).error, reason);
}

void TestMosMessage::malformedKeepsWhatAnswerNeeds()
{
    const MosParseResult result = parsemosmessage(
        u"<mos><messageID> 99 </messageID><roCreate><roID>RO 7</roID><story></roCreate></mos>"_s);
    QVERIFY(result.error.startsWith(u"malformed XML: "_s));
    QCOMPARE(result.message.messageId, u"99"_s);
    QCOMPARE(result.message.roId, u"RO 7"_s);
    QCOMPARE(result.message.type, u"roCreate"_s);
}

VANTELL_CORE_TEST_MAIN(TestMosMessage)
#include "test_mosmessage.moc"

#include "core/mos/mosmessage.h"
#include "core/mos/mosrunningorders.h"
#include "mos/mostext.h"
#include "testsupport/testmain.h"

// The running orders as the messages change them: every kind of change to stories and items,
// what each change reports, and that a message that cannot be applied whole changes nothing.
class TestMosRunningOrders : public QObject {
    Q_OBJECT
private slots:
    void init();
    void storyChanges_data();
    void storyChanges();
    void itemChanges_data();
    void itemChanges();
    void failedMessageChangesNothing_data();
    void failedMessageChangesNothing();
    void textIsKeptThroughReplacement();
    void storyTextReportsOnlyRealChanges();
    void metadataStatusAndReadyToAir();
    void createReplaceAndDelete();
    void limits();

private:
    MosApplied apply(const QString &body);
    QStringList storyIds() const;
    QStringList itemIds(const QString &storyId) const;

    MosRunningOrders m_orders;
};

using namespace Qt::StringLiterals;

MosApplied TestMosRunningOrders::apply(const QString &body)
{
    const MosParseResult parsed = parsemosmessage(mostext::message(body));
    if (!parsed.error.isEmpty())
        return MosApplied{u"unreadable: "_s + parsed.error, {}};
    return m_orders.apply(parsed.message);
}

QStringList TestMosRunningOrders::storyIds() const
{
    QStringList ids;
    if (const MosRunningOrder *order = m_orders.find(u"RO1"_s))
        for (const MosStory &story : order->stories)
            ids << story.id;
    return ids;
}

QStringList TestMosRunningOrders::itemIds(const QString &storyId) const
{
    QStringList ids;
    const MosRunningOrder *order = m_orders.find(u"RO1"_s);
    if (order && order->storyIndex(storyId) >= 0)
        for (const MosItem &item : order->stories.at(order->storyIndex(storyId)).items)
            ids << item.id;
    return ids;
}

void TestMosRunningOrders::init()
{
    m_orders = MosRunningOrders();
    // Stories A to D; A holds the items 1 to 3.
    const QString items = mostext::item(u"1"_s) + mostext::item(u"2"_s) + mostext::item(u"3"_s);
    QVERIFY(apply(mostext::create(mostext::story(u"A"_s, u"a"_s, items) + mostext::story(u"B"_s, u"b"_s) +
                                  mostext::story(u"C"_s, u"c"_s) + mostext::story(u"D"_s, u"d"_s)))
                .error.isEmpty());
}

void TestMosRunningOrders::storyChanges_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("stories");
    const auto action = [](const QString &operation, const QString &target, const QString &source) {
        return QStringLiteral(
                   "<roElementAction operation=\"%1\"><roID>RO1</roID><element_target><storyID>%2</storyID>"
                   "</element_target><element_source>%3</element_source></roElementAction>")
            .arg(operation, target, source);
    };
    const QString e = mostext::story(u"E"_s, u"e"_s);
    const QString f = mostext::story(u"F"_s, u"f"_s);
    QTest::newRow("insert before") << action(u"INSERT"_s, u"B"_s, e + f)
                                   << QStringList{"A", "E", "F", "B", "C", "D"};
    QTest::newRow("insert at the end")
        << action(u"INSERT"_s, QString(), e) << QStringList{"A", "B", "C", "D", "E"};
    QTest::newRow("replace by two") << action(u"REPLACE"_s, u"C"_s, e + f)
                                    << QStringList{"A", "B", "E", "F", "D"};
    QTest::newRow("replace by itself")
        << action(u"REPLACE"_s, u"C"_s, mostext::story(u"C"_s, u"new"_s)) << QStringList{"A", "B", "C", "D"};
    QTest::newRow("move two before another, in the order given")
        << action(u"MOVE"_s, u"A"_s, u"<storyID>D</storyID><storyID>C</storyID>"_s)
        << QStringList{"D", "C", "A", "B"};
    QTest::newRow("move to the end") << action(u"MOVE"_s, QString(), u"<storyID>A</storyID>"_s)
                                     << QStringList{"B", "C", "D", "A"};
    QTest::newRow("move down") << action(u"MOVE"_s, u"D"_s, u"<storyID>A</storyID>"_s)
                               << QStringList{"B", "C", "A", "D"};
    QTest::newRow("delete") << action(u"DELETE"_s, QString(), u"<storyID>B</storyID><storyID>D</storyID>"_s)
                            << QStringList{"A", "C"};
    QTest::newRow("swap") << action(u"SWAP"_s, QString(), u"<storyID>D</storyID><storyID>A</storyID>"_s)
                          << QStringList{"D", "B", "C", "A"};
    QTest::newRow("old append") << u"<roStoryAppend><roID>RO1</roID>"_s + e + u"</roStoryAppend>"_s
                                << QStringList{"A", "B", "C", "D", "E"};
    QTest::newRow("old insert") << u"<roStoryInsert><roID>RO1</roID><storyID>A</storyID>"_s + e +
                                       u"</roStoryInsert>"_s
                                << QStringList{"E", "A", "B", "C", "D"};
    QTest::newRow("old move")
        << u"<roStoryMove><roID>RO1</roID><storyID>C</storyID><storyID>B</storyID></roStoryMove>"_s
        << QStringList{"A", "C", "B", "D"};
    QTest::newRow("old move multiple") << u"<roStoryMoveMultiple><roID>RO1</roID><storyID>D</"
                                          u"storyID><storyID>B</storyID><storyID>A</storyID>"
                                          "</roStoryMoveMultiple>"_s
                                       << QStringList{"D", "B", "A", "C"};
    QTest::newRow("old swap")
        << u"<roStorySwap><roID>RO1</roID><storyID>B</storyID><storyID>C</storyID></roStorySwap>"_s
        << QStringList{"A", "C", "B", "D"};
    QTest::newRow("old delete") << u"<roStoryDelete><roID>RO1</roID><storyID>A</storyID></roStoryDelete>"_s
                                << QStringList{"B", "C", "D"};
}

void TestMosRunningOrders::storyChanges()
{
    QFETCH(QString, body);
    QFETCH(QStringList, stories);
    const MosApplied applied = apply(body);
    QCOMPARE(applied.error, QString());
    QCOMPARE(storyIds(), stories);
    QCOMPARE(applied.change.roId, u"RO1"_s);
    QVERIFY(applied.change.storiesChanged);
    QVERIFY(!applied.change.created && !applied.change.deleted);
}

void TestMosRunningOrders::itemChanges_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("items");
    const auto action = [](const QString &operation, const QString &target, const QString &source) {
        return QStringLiteral(
                   "<roElementAction operation=\"%1\"><roID>RO1</roID><element_target><storyID>A</storyID>"
                   "<itemID>%2</itemID></element_target><element_source>%3</element_source>"
                   "</roElementAction>")
            .arg(operation, target, source);
    };
    const QString nine = mostext::item(u"9"_s);
    QTest::newRow("insert before") << action(u"INSERT"_s, u"2"_s, nine) << QStringList{"1", "9", "2", "3"};
    QTest::newRow("insert at the end")
        << action(u"INSERT"_s, QString(), nine) << QStringList{"1", "2", "3", "9"};
    QTest::newRow("replace") << action(u"REPLACE"_s, u"1"_s, nine) << QStringList{"9", "2", "3"};
    QTest::newRow("move") << action(u"MOVE"_s, u"1"_s, u"<itemID>3</itemID>"_s) << QStringList{"3", "1", "2"};
    QTest::newRow("delete") << action(u"DELETE"_s, QString(), u"<itemID>2</itemID>"_s)
                            << QStringList{"1", "3"};
    QTest::newRow("swap") << action(u"SWAP"_s, QString(), u"<itemID>1</itemID><itemID>3</itemID>"_s)
                          << QStringList{"3", "2", "1"};
    QTest::newRow("old insert") << u"<roItemInsert><roID>RO1</roID><storyID>A</storyID><itemID>3</itemID>"_s +
                                       nine + u"</roItemInsert>"_s
                                << QStringList{"1", "2", "9", "3"};
    QTest::newRow("old replace")
        << u"<roItemReplace><roID>RO1</roID><storyID>A</storyID><itemID>3</itemID>"_s + nine +
               u"</roItemReplace>"_s
        << QStringList{"1", "2", "9"};
    QTest::newRow("old move multiple to the end")
        << u"<roItemMoveMultiple><roID>RO1</roID><storyID>A</storyID><itemID>1</itemID></roItemMoveMultiple>"_s
        << QStringList{"2", "3", "1"};
    QTest::newRow("old delete") << u"<roItemDelete><roID>RO1</roID><storyID>A</storyID><itemID>1</itemID>"
                                   "<itemID>3</itemID></roItemDelete>"_s
                                << QStringList{"2"};
}

void TestMosRunningOrders::itemChanges()
{
    QFETCH(QString, body);
    QFETCH(QStringList, items);
    const MosApplied applied = apply(body);
    QCOMPARE(applied.error, QString());
    QCOMPARE(itemIds(u"A"_s), items);
    QCOMPARE(storyIds(), (QStringList{"A", "B", "C", "D"}));
    // The prompter shows stories, not items: nothing it shows has changed.
    QVERIFY(!applied.change.storiesChanged);
}

void TestMosRunningOrders::failedMessageChangesNothing_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown running order")
        << u"<roStoryDelete><roID>RO9</roID><storyID>A</storyID></roStoryDelete>"_s
        << u"no running order RO9"_s;
    QTest::newRow("delete: second story unknown, first would have gone")
        << u"<roStoryDelete><roID>RO1</roID><storyID>A</storyID><storyID>X</storyID></roStoryDelete>"_s
        << u"no story X"_s;
    QTest::newRow("insert: second story already there")
        << u"<roStoryAppend><roID>RO1</roID>"_s + mostext::story(u"E"_s, u"e"_s) +
               mostext::story(u"B"_s, u"b"_s) + u"</roStoryAppend>"_s
        << u"story B is there already"_s;
    QTest::newRow("insert before an unknown story")
        << u"<roStoryInsert><roID>RO1</roID><storyID>X</storyID>"_s + mostext::story(u"E"_s, u"e"_s) +
               u"</roStoryInsert>"_s
        << u"no story X"_s;
    QTest::newRow("move before one of those moved")
        << u"<roStoryMoveMultiple><roID>RO1</roID><storyID>A</storyID><storyID>B</storyID><storyID>A</"
           u"storyID>"
           "</roStoryMoveMultiple>"_s
        << u"unreadable: <roStoryMoveMultiple> names the same element twice"_s;
    QTest::newRow("move: an unknown story among them")
        << u"<roElementAction operation=\"MOVE\"><roID>RO1</roID><element_target><storyID>D</storyID>"
           "</element_target><element_source><storyID>A</storyID><storyID>X</storyID></element_source>"
           "</roElementAction>"_s
        << u"no story X"_s;
    QTest::newRow("replace with a story that is elsewhere")
        << u"<roStoryReplace><roID>RO1</roID><storyID>B</storyID>"_s + mostext::story(u"C"_s, u"c"_s) +
               u"</roStoryReplace>"_s
        << u"story C is there already"_s;
    QTest::newRow("items of an unknown story")
        << u"<roItemDelete><roID>RO1</roID><storyID>X</storyID><itemID>1</itemID></roItemDelete>"_s
        << u"no story X"_s;
    QTest::newRow("text of an unknown story")
        << mostext::storySend(u"X"_s, u"<p>hi</p>"_s) << u"no story X"_s;
    QTest::newRow("status of an unknown item")
        << u"<roElementStat element=\"ITEM\"><roID>RO1</roID><storyID>A</storyID><itemID>7</itemID>"
           "<status>PLAY</status></roElementStat>"_s
        << u"no item 7"_s;
}

void TestMosRunningOrders::failedMessageChangesNothing()
{
    QFETCH(QString, body);
    QFETCH(QString, error);
    const MosRunningOrder before = *m_orders.find(u"RO1"_s);
    const MosApplied applied = apply(body);
    QCOMPARE(applied.error, error);
    QCOMPARE(*m_orders.find(u"RO1"_s), before);
    QVERIFY(!applied.change.storiesChanged && applied.change.textChanged.isEmpty());
}

void TestMosRunningOrders::textIsKeptThroughReplacement()
{
    QVERIFY(apply(mostext::storySend(u"B"_s, u"<p>Words of B</p>"_s)).error.isEmpty());
    QVERIFY(
        apply(u"<roElementStat element=\"STORY\"><roID>RO1</roID><storyID>B</storyID><status>PLAY</status>"
              "</roElementStat>"_s)
            .error.isEmpty());
    // The story's entry sent again (a new slug): its text and status stay until new text comes.
    QVERIFY(apply(u"<roStoryReplace><roID>RO1</roID><storyID>B</storyID>"_s +
                  mostext::story(u"B"_s, u"b2"_s) + u"</roStoryReplace>"_s)
                .error.isEmpty());
    const MosStory &story = m_orders.find(u"RO1"_s)->stories.at(1);
    QCOMPARE(story.slug, u"b2"_s);
    QVERIFY(story.text);
    QCOMPARE(story.text->paragraphs.at(0).at(0).text, u"Words of B"_s);
    QCOMPARE(story.status, u"PLAY"_s);
    // And through the whole running order sent again.
    QVERIFY(apply(mostext::create(mostext::story(u"C"_s, u"c"_s) + mostext::story(u"B"_s, u"b3"_s), u"RO1"_s,
                                  u"roReplace"_s))
                .error.isEmpty());
    QCOMPARE(storyIds(), (QStringList{"C", "B"}));
    QVERIFY(m_orders.find(u"RO1"_s)->stories.at(1).text);
    QVERIFY(!m_orders.find(u"RO1"_s)->stories.at(0).text);
}

void TestMosRunningOrders::storyTextReportsOnlyRealChanges()
{
    MosApplied applied = apply(mostext::storySend(u"C"_s, u"<p>One</p><p>Two</p>"_s));
    QCOMPARE(applied.change.textChanged, QStringList{"C"});
    QVERIFY(!applied.change.storiesChanged);
    applied = apply(mostext::storySend(u"C"_s, u"<p>One</p>  <p>Two</p>"_s)); // the same text
    QVERIFY(applied.error.isEmpty());
    QCOMPARE(applied.change.textChanged, QStringList{});
    // A new slug with the text renames the story's entry.
    applied = apply(u"<roStorySend><roID>RO1</roID><storyID>C</storyID><storySlug>Renamed</storySlug>"
                    "<storyBody><p>One</p></storyBody></roStorySend>"_s);
    QCOMPARE(applied.change.textChanged, QStringList{"C"});
    QVERIFY(applied.change.storiesChanged);
    QCOMPARE(m_orders.find(u"RO1"_s)->stories.at(2).slug, u"Renamed"_s);
}

void TestMosRunningOrders::metadataStatusAndReadyToAir()
{
    QVERIFY(apply(u"<roReadyToAir><roID>RO1</roID><roAir>READY</roAir></roReadyToAir>"_s).error.isEmpty());
    QVERIFY(
        apply(u"<roElementStat element=\"RO\"><roID>RO1</roID><status>MANUAL CTRL</status></roElementStat>"_s)
            .error.isEmpty());
    MosApplied applied =
        apply(u"<roMetadataReplace><roID>RO1</roID><roSlug>Late News</roSlug><roChannel>B</roChannel>"
              "</roMetadataReplace>"_s);
    QVERIFY(applied.error.isEmpty());
    QVERIFY(applied.change.storiesChanged); // the running order's name is shown with its stories
    const MosRunningOrder &order = *m_orders.find(u"RO1"_s);
    QCOMPARE(order.slug, u"Late News"_s);
    QCOMPARE(order.channel, u"B"_s);
    QCOMPARE(order.airStatus, u"READY"_s);
    QCOMPARE(order.status, u"MANUAL CTRL"_s);
    QCOMPARE(order.stories.size(), 4);
}

void TestMosRunningOrders::createReplaceAndDelete()
{
    MosApplied applied = apply(mostext::create(mostext::story(u"X"_s, u"x"_s), u"RO2"_s));
    QVERIFY(applied.change.created);
    QCOMPARE(m_orders.all().size(), 2);
    // A running order created again under the same name replaces the one there.
    applied = apply(mostext::create(mostext::story(u"Y"_s, u"y"_s), u"RO2"_s));
    QVERIFY(applied.change.replaced && !applied.change.created);
    QCOMPARE(m_orders.all().size(), 2);
    QCOMPARE(m_orders.all().last().stories.at(0).id, u"Y"_s);
    applied = apply(u"<roDelete><roID>RO1</roID></roDelete>"_s);
    QVERIFY(applied.change.deleted);
    QCOMPARE(m_orders.all().size(), 1);
    QVERIFY(!m_orders.find(u"RO1"_s));
    QCOMPARE(apply(u"<roDelete><roID>RO1</roID></roDelete>"_s).error, u"no running order RO1"_s);
}

void TestMosRunningOrders::limits()
{
    for (int i = 2; i <= MosRunningOrders::maxRunningOrders; ++i)
        QVERIFY(apply(mostext::create(QString(), u"R%1"_s.arg(i))).error.isEmpty());
    QCOMPARE(apply(mostext::create(QString(), u"ONE MORE"_s)).error, u"more than 64 running orders"_s);
    QString many;
    for (int i = 0; i <= MosRunningOrders::maxStories; ++i)
        many += u"<story><storyID>%1</storyID></story>"_s.arg(i);
    QCOMPARE(apply(u"<roStoryAppend><roID>RO1</roID>"_s + many + u"</roStoryAppend>"_s).error,
             u"more than 10000 stories"_s);
    QCOMPARE(storyIds().size(), 4);
}

VANTELL_CORE_TEST_MAIN(TestMosRunningOrders)
#include "test_mosrunningorders.moc"

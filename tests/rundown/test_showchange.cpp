#include <QTest>

#include "core/rundown/showchange.h"
#include "testsupport/testmain.h"

// How the stories of a continuous page change when the show changes under it: as few stories as
// possible move, and a story on air that the newsroom takes out stays until the reader leaves it.
class TestShowChange : public QObject {
    Q_OBJECT
private slots:
    void asManyStoriesStayAsKeepTheirOrder_data();
    void asManyStoriesStayAsKeepTheirOrder();
    void theStoryOnAirStaysWhenTakenOut();
    void aPageHandsOutEachStorysLines();
};

namespace {

RundownEntry story(int key, bool floated = false)
{
    RundownEntry entry;
    entry.key = key;
    entry.name = QStringLiteral("Story %1").arg(key);
    entry.lines = {QStringLiteral("Text of %1").arg(key)};
    entry.floated = floated;
    return entry;
}

QList<int> keysof(const QList<RundownEntry> &entries)
{
    QList<int> keys;
    for (const RundownEntry &entry : entries)
        keys << entry.key;
    return keys;
}

} // namespace

void TestShowChange::asManyStoriesStayAsKeepTheirOrder_data()
{
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<QList<int>>("staying");
    QTest::newRow("unchanged") << QList<int>{1, 2, 3} << QList<int>{1, 2, 3} << QList<int>{1, 2, 3};
    QTest::newRow("one moved to the end")
        << QList<int>{1, 2, 3, 4} << QList<int>{2, 3, 4, 1} << QList<int>{2, 3, 4};
    QTest::newRow("one moved to the start")
        << QList<int>{1, 2, 3, 4} << QList<int>{4, 1, 2, 3} << QList<int>{1, 2, 3};
    QTest::newRow("inserted and deleted") << QList<int>{1, 2, 3} << QList<int>{1, 9, 3} << QList<int>{1, 3};
    QTest::newRow("reversed") << QList<int>{1, 2, 3} << QList<int>{3, 2, 1} << QList<int>{1};
    QTest::newRow("all new") << QList<int>{1, 2} << QList<int>{5, 6} << QList<int>{};
    QTest::newRow("from nothing") << QList<int>{} << QList<int>{1, 2} << QList<int>{};
    QTest::newRow("to nothing") << QList<int>{1, 2} << QList<int>{} << QList<int>{};
    QTest::newRow("two swapped in a long show")
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << QList<int>{1, 2, 6, 4, 5, 3, 7, 8}
        << QList<int>{1, 2, 4, 5, 7, 8};
}

void TestShowChange::asManyStoriesStayAsKeepTheirOrder()
{
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    QFETCH(QList<int>, staying);
    QCOMPARE(stayingstories(before, after), staying);
}

void TestShowChange::theStoryOnAirStaysWhenTakenOut()
{
    const QList<RundownEntry> before{story(1), story(2), story(3)};
    const QString note = QStringLiteral("(dropped)");
    // Still in the show: the show as the newsroom sends it.
    QCOMPARE(keysof(keepingonair(before, {story(3), story(2)}, 2, note)), (QList<int>{3, 2}));
    // Deleted while on air: kept after the story before it, saying so on its banner.
    const QList<RundownEntry> deleted = keepingonair(before, {story(1), story(3)}, 2, note);
    QCOMPARE(keysof(deleted), (QList<int>{1, 2, 3}));
    QCOMPARE(deleted.at(1).note, note);
    QCOMPARE(deleted.at(1).lines, story(2).lines);
    // Floated while on air: the floated entry gives way to the kept one, which is not floated.
    const QList<RundownEntry> floated = keepingonair(before, {story(1), story(2, true), story(3)}, 2, note);
    QCOMPARE(keysof(floated), (QList<int>{1, 2, 3}));
    QVERIFY(!floated.at(1).floated);
    // The first story deleted, and the one before it gone too: kept first.
    QCOMPARE(keysof(keepingonair(before, {story(3)}, 1, note)), (QList<int>{1, 3}));
    QCOMPARE(keysof(keepingonair(before, {story(3)}, 2, note)), (QList<int>{2, 3}));
    // No story on air, or one that was never on the page: nothing kept.
    QCOMPARE(keysof(keepingonair(before, {story(3)}, -1, note)), (QList<int>{3}));
    QCOMPARE(keysof(keepingonair(before, {story(3)}, 7, note)), (QList<int>{3}));
}

void TestShowChange::aPageHandsOutEachStorysLines()
{
    const ContinuousScript script = assemblecontinuous({story(4), story(5)}, {}, 180);
    QStringList page{QStringLiteral("<html>"), QStringLiteral("<body style=\"x\">")};
    for (const QString &line : script.lines)
        page << line + QStringLiteral("<br>");
    page << QStringLiteral("</body>");
    const StorySpan &second = script.stories.at(1);
    const QStringList lines = storypagelines(page, second);
    QCOMPARE(lines.size(), second.lineCount);
    QCOMPARE(lines.first(), script.lines.at(second.firstLine) + QStringLiteral("<br>"));
    // The banner without the element that opens the story and the line break after it.
    const QString banner = storybannermarkup(page, second);
    QVERIFY(banner.startsWith(QStringLiteral("<span data-vantell-banner")));
    QVERIFY(!banner.endsWith(QStringLiteral("<br>")));
    // A page shorter than the script (built from another one) hands out nothing.
    QVERIFY(storypagelines(page.mid(0, 4), second).isEmpty());
    QVERIFY(storypagelines({QStringLiteral("<p>no body</p>")}, second).isEmpty());
}

VANTELL_CORE_TEST_MAIN(TestShowChange)
#include "test_showchange.moc"

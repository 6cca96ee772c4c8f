#include "core/editlive/readinganchor.h"
#include "testsupport/testmain.h"

// The height compensation of an edit on air: where the reading line is, which line's start the
// page holds on the screen, and where that line stands afterwards.
class TestReadingAnchor : public QObject {
    Q_OBJECT
private slots:
    void theReadingLineCountsFromTheReadersTop();
    void heldLine_data();
    void heldLine();
    void movedLine_data();
    void movedLine();
};

using Changes = QList<LineChange>;
Q_DECLARE_METATYPE(Changes)

void TestReadingAnchor::theReadingLineCountsFromTheReadersTop()
{
    QCOMPARE(readingliney(300, 1.0 / 3, false), 100.0);
    // Turned upside down, the reader's top is the view's bottom.
    QCOMPARE(readingliney(300, 1.0 / 3, true), 200.0);
    QCOMPARE(readingliney(300, 0.5, true), 150.0);
    QCOMPARE(readingliney(0, 0.25, false), 0.0);
}

void TestReadingAnchor::heldLine_data()
{
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<int>("reading");
    QTest::addColumn<int>("held");
    // 20 lines.
    QTest::newRow("no change takes the line") << Changes{{2, 1, 2, 1}, {15, 2, 15, 0}} << 8 << 8;
    QTest::newRow("the line itself rewritten keeps its start") << Changes{{8, 1, 8, 1}} << 8 << 8;
    QTest::newRow("inside a stretch replaced: its first line") << Changes{{6, 4, 6, 2}} << 8 << 6;
    QTest::newRow("inside a stretch removed: the line after") << Changes{{6, 4, 6, 0}} << 8 << 10;
    QTest::newRow("lines put in before it leave it") << Changes{{8, 0, 8, 3}} << 8 << 8;
    QTest::newRow("removed to the end: nothing to hold") << Changes{{18, 2, 18, 0}} << 19 << -1;
}

void TestReadingAnchor::heldLine()
{
    QFETCH(Changes, changes);
    QFETCH(int, reading);
    QFETCH(int, held);
    QCOMPARE(heldline(changes, reading, 20), held);
}

void TestReadingAnchor::movedLine_data()
{
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("moved");
    QTest::newRow("a change below moves nothing") << Changes{{12, 1, 12, 4}} << 8 << 8;
    QTest::newRow("lines added above") << Changes{{2, 1, 2, 4}} << 8 << 11;
    QTest::newRow("lines removed above") << Changes{{2, 3, 2, 0}} << 8 << 5;
    QTest::newRow("lines put in right before it") << Changes{{8, 0, 8, 2}} << 8 << 10;
    QTest::newRow("its own stretch keeps its start") << Changes{{8, 3, 8, 1}} << 8 << 8;
    QTest::newRow("several") << Changes{{0, 1, 0, 3}, {5, 2, 7, 0}, {9, 0, 7, 1}, {30, 1, 29, 1}} << 9 << 10;
}

void TestReadingAnchor::movedLine()
{
    QFETCH(Changes, changes);
    QFETCH(int, line);
    QFETCH(int, moved);
    QCOMPARE(movedline(changes, line), moved);
}

VANTELL_CORE_TEST_MAIN(TestReadingAnchor)
#include "test_readinganchor.moc"

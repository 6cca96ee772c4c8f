#include "core/mos/storylines.h"
#include "testsupport/testmain.h"

// A story's text as page lines, instructions dimmed or hidden; and its paragraphs followed
// through an edit, so that the page finds the line being read again.
class TestStoryLines : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void following_data();
    void following();
    void largeStoriesAreComparedQuickly();
};

using namespace Qt::StringLiterals;

namespace {

MosTextRun spoken(const QString &text)
{
    return MosTextRun{text};
}

MosTextRun instruction(const QString &text)
{
    return MosTextRun{text, true};
}

// A text of one paragraph to each letter, the letter its text.
QStringList paragraphsOf(const QString &letters)
{
    QStringList paragraphs;
    for (const QChar letter : letters)
        paragraphs << QString(letter);
    return paragraphs;
}

} // namespace

void TestStoryLines::lines_data()
{
    QTest::addColumn<MosStoryText>("text");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QStringList>("lines");
    const QString dim = u"<span style=\"color:#808080\">"_s;
    const MosStoryText text{{{spoken(u"Good <evening> & welcome "_s), instruction(u"[SMILE]"_s)},
                             {instruction(u"(CUE VT)"_s)},
                             {},
                             {MosTextRun{u"loud"_s, false, true, true, true}}}};
    QTest::newRow("dimmed") << text << false
                            << QStringList{
                                   u"<span data-p=\"10\"></span>Good &lt;evening&gt; &amp; welcome "_s + dim +
                                       u"[SMILE]</span>"_s,
                                   u"<span data-p=\"11\"></span>"_s + dim + u"(CUE VT)</span>"_s,
                                   u"<span data-p=\"12\"></span>"_s,
                                   u"<span data-p=\"13\"></span><b><i><u>loud</u></i></b>"_s};
    QTest::newRow("hidden: a line of instructions goes, an empty line stays")
        << text << true
        << QStringList{u"<span data-p=\"10\"></span>Good &lt;evening&gt; &amp; welcome "_s,
                       u"<span data-p=\"12\"></span>"_s,
                       u"<span data-p=\"13\"></span><b><i><u>loud</u></i></b>"_s};
}

void TestStoryLines::lines()
{
    QFETCH(MosStoryText, text);
    QFETCH(bool, hidden);
    QFETCH(QStringList, lines);
    QCOMPARE(
        storylines(text, hidden ? InstructionDisplay::Hidden : InstructionDisplay::Dimmed, {10, 11, 12, 13}),
        lines);
}

void TestStoryLines::following_data()
{
    QTest::addColumn<QString>("before"); // keys 0, 1, 2, ... in order
    QTest::addColumn<QString>("after");
    QTest::addColumn<QList<int>>("keys");  // fresh keys count from 100
    QTest::addColumn<QString>("replaced"); // old key:new key, for those that went
    QTest::newRow("unchanged") << "abc"
                               << "abc" << QList<int>{0, 1, 2} << "";
    QTest::newRow("one changed") << "abc"
                                 << "aXc" << QList<int>{0, 100, 2} << "1:100";
    QTest::newRow("inserted at the start") << "abc"
                                           << "Xabc" << QList<int>{100, 0, 1, 2} << "";
    QTest::newRow("removed in the middle") << "abcd"
                                           << "abd" << QList<int>{0, 1, 3} << "2:3";
    QTest::newRow("removed at the end") << "abc"
                                        << "ab" << QList<int>{0, 1} << "2:1";
    QTest::newRow("moved") << "abcde"
                           << "adbce" << QList<int>{0, 3, 1, 2, 4} << "";
    QTest::newRow("everything new") << "ab"
                                    << "XY" << QList<int>{100, 101} << "0:100 1:100";
    QTest::newRow("repeated paragraphs") << "aba"
                                         << "abXa" << QList<int>{0, 1, 100, 2} << "";
    QTest::newRow("all removed") << "ab"
                                 << "" << QList<int>{} << "";
    QTest::newRow("from nothing") << ""
                                  << "ab" << QList<int>{100, 101} << "";
}

void TestStoryLines::following()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QList<int>, keys);
    QFETCH(QString, replaced);
    QList<int> beforeKeys;
    for (int i = 0; i < before.size(); ++i)
        beforeKeys << i;
    int nextKey = 100;
    const FollowedParagraphs followed =
        followparagraphs(paragraphsOf(before), beforeKeys, paragraphsOf(after), nextKey);
    QCOMPARE(followed.keys, keys);
    QStringList pairs;
    for (int key = 0; key < before.size(); ++key)
        if (followed.replacedBy.contains(key))
            pairs << u"%1:%2"_s.arg(key).arg(followed.replacedBy.value(key));
    QCOMPARE(pairs.join(u' '), replaced);
}

void TestStoryLines::largeStoriesAreComparedQuickly()
{
    // Paragraphs beyond what is compared in full still keep their common start and end.
    QStringList before, after;
    QList<int> keys;
    for (int i = 0; i < 20000; ++i) {
        before << u"paragraph %1"_s.arg(i);
        after << (i == 10000 ? u"changed"_s : before.last());
        keys << i;
    }
    after.insert(5000, u"new"_s);
    QElapsedTimer clock;
    clock.start();
    int nextKey = 50000;
    const FollowedParagraphs followed = followparagraphs(before, keys, after, nextKey);
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(followed.keys.first(), 0);
    QCOMPARE(followed.keys.last(), 19999);
    QCOMPARE(followed.keys.size(), 20001);
}

VANTELL_CORE_TEST_MAIN(TestStoryLines)
#include "test_storylines.moc"

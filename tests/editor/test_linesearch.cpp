#include "core/editor/linesearch.h"
#include "testsupport/testmain.h"

namespace {

// Where a step found its match; -1, -1 for "Not found.".
struct Match {
    int line, column;
    bool operator==(const Match &other) const = default;
};

char *toString(const Match &match)
{
    return qstrdup(QByteArray::number(match.line) + ':' + QByteArray::number(match.column));
}

QList<Match> walk(LineSearch &search, const QStringList &lines, const QString &text, int steps)
{
    QList<Match> matches;
    for (int i = 0; i < steps; ++i) {
        const LineSearch::Result result = search.findnext(lines, text, false);
        matches << (result.kind == LineSearch::Result::Found ? Match{result.line, result.column}
                                                             : Match{-1, -1});
    }
    return matches;
}

} // namespace

// The find walk over the editor's lines.
class TestLineSearch : public QObject {
    Q_OBJECT
private slots:
    void nothingToLookForOrNoLinesIsSilent();
    void overlappingMatchesAreAllFound();
    void endOfTextRestartsAtTheTop();
    void latchedTextOutlivesAChangeOfFindWhat();
    void caseFolding_data();
    void caseFolding();
    void matchCaseIsReadOnEveryLine();
    void matchSplitAcrossLinesIsNotFound();
    void fewerLinesAfterRewrappingRestartTheWalk();
};

void TestLineSearch::nothingToLookForOrNoLinesIsSilent()
{
    LineSearch search;
    QCOMPARE(search.findnext({}, QStringLiteral("cat"), false).kind, LineSearch::Result::Nothing);
    search.reset();
    QCOMPARE(search.findnext({QStringLiteral("cat")}, QString(), false).kind, LineSearch::Result::Nothing);
    // An empty Find what latches nothing, so a later text is taken at once.
    QCOMPARE(search.findnext({QStringLiteral("cat")}, QStringLiteral("cat"), false).kind,
             LineSearch::Result::Found);
}

void TestLineSearch::overlappingMatchesAreAllFound()
{
    LineSearch search;
    const QStringList lines{"aaaa", "b", "xaa"};
    const QList<Match> expected{{0, 1}, {0, 2}, {0, 3}, {2, 2}, {-1, -1}};
    QCOMPARE(walk(search, lines, QStringLiteral("aa"), 5), expected);
    QCOMPARE(search.findnext(lines, QStringLiteral("aa"), false).length, 2);
}

void TestLineSearch::endOfTextRestartsAtTheTop()
{
    QStringList lines(1000, QStringLiteral("filler text"));
    lines << QStringLiteral("the end");
    LineSearch search;
    QCOMPARE(walk(search, lines, QStringLiteral("end"), 3), (QList<Match>{{1000, 5}, {-1, -1}, {1000, 5}}));
    // "Not found." leaves the walk past the last line with nothing latched.
    search.findnext(lines, QStringLiteral("end"), false);
    QCOMPARE(search.searchline, 1001);
    QVERIFY(search.searchtext.isEmpty());

    // In a text of one line the restart must not begin where the last match was.
    LineSearch single;
    const QList<Match> again{{0, 5}, {-1, -1}, {0, 5}};
    QCOMPARE(walk(single, {QStringLiteral("the cat")}, QStringLiteral("cat"), 3), again);
}

void TestLineSearch::latchedTextOutlivesAChangeOfFindWhat()
{
    const QStringList lines{"cat", "dog", "cat"};
    LineSearch search;
    QCOMPARE(walk(search, lines, QStringLiteral("cat"), 1), (QList<Match>{{0, 1}}));
    QCOMPARE(walk(search, lines, QStringLiteral("dog"), 2), (QList<Match>{{2, 1}, {-1, -1}}));
    QCOMPARE(walk(search, lines, QStringLiteral("dog"), 1), (QList<Match>{{1, 1}}));
    // A change of the text resets the walk: the new Find what counts at once.
    search.reset();
    QCOMPARE(walk(search, lines, QStringLiteral("cat"), 1), (QList<Match>{{0, 1}}));
}

void TestLineSearch::caseFolding_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("found");
    QTest::newRow("CAT without match case") << "CAT"
                                            << "cat" << false << true;
    QTest::newRow("Cat without match case") << "Cat"
                                            << "cAt" << false << true;
    QTest::newRow("CAT with match case") << "CAT"
                                         << "cat" << true << false;
    QTest::newRow("cat with match case") << "cat"
                                         << "cat" << true << true;
    QTest::newRow("capital umlaut is not a small one") << "\u00dcber"
                                                       << "\u00fcber" << false << false;
    QTest::newRow("small umlaut matches itself") << "\u00fcber"
                                                 << "\u00fcBER" << false << true;
    QTest::newRow("capital acute e is not a small one") << "\u00c9T\u00c9"
                                                        << "\u00e9t\u00e9" << false << false;
}

void TestLineSearch::caseFolding()
{
    QFETCH(QString, line);
    QFETCH(QString, text);
    QFETCH(bool, matchCase);
    QFETCH(bool, found);
    LineSearch search;
    QCOMPARE(search.findnext({line}, text, matchCase).kind == LineSearch::Result::Found, found);
}

void TestLineSearch::matchCaseIsReadOnEveryLine()
{
    const QStringList lines{"cat", "cat", "CAT"};
    LineSearch search;
    QCOMPARE(search.findnext(lines, QStringLiteral("cat"), false).line, 0);
    QCOMPARE(search.searchtext, QStringLiteral("CAT"));
    // Switched on mid-walk: the folded text now meets only the capitals.
    const LineSearch::Result result = search.findnext(lines, QStringLiteral("cat"), true);
    QCOMPARE(result.kind, LineSearch::Result::Found);
    QCOMPARE(result.line, 2);
}

void TestLineSearch::matchSplitAcrossLinesIsNotFound()
{
    LineSearch search;
    QCOMPARE(search.findnext({"the quick", "brown fox"}, QStringLiteral("quick brown"), false).kind,
             LineSearch::Result::NotFound);
    QCOMPARE(search.findnext({"the quick brown fox"}, QStringLiteral("quick brown"), false).column, 5);
}

void TestLineSearch::fewerLinesAfterRewrappingRestartTheWalk()
{
    LineSearch search;
    QCOMPARE(walk(search, {"x", "x", "x", "cat"}, QStringLiteral("cat"), 1), (QList<Match>{{3, 1}}));
    // The window grew: the same text now lies on fewer lines than where the walk stopped.
    QCOMPARE(walk(search, {"x x x cat"}, QStringLiteral("cat"), 1), (QList<Match>{{0, 7}}));
}

VANTELL_CORE_TEST_MAIN(TestLineSearch)
#include "test_linesearch.moc"

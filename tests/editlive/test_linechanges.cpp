#include "core/editlive/linechanges.h"
#include "core/editlive/pageedit.h"
#include "testsupport/testmain.h"

// The paragraph difference an edit on air is put on the page by: which lines changed, and the
// same change made on a page's lines.
class TestLineChanges : public QObject {
    Q_OBJECT
private slots:
    void changes_data();
    void changes();
    void changesRebuildTheNewText_data();
    void changesRebuildTheNewText();
    void aKeystrokeInALongScriptIsOneChangeFoundQuickly();
    void pageEditsChangeTheBodyOnly();
    void aPageEditRefusesAnotherPage();
};

namespace {

// A text of one line to each letter, the letter its text.
QStringList linesOf(const QString &letters)
{
    QStringList lines;
    for (const QChar letter : letters)
        lines << QString(letter);
    return lines;
}

} // namespace

using Changes = QList<LineChange>;
Q_DECLARE_METATYPE(Changes)

void TestLineChanges::changes_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<Changes>("changes");
    QTest::newRow("nothing changed") << "abc"
                                     << "abc" << Changes{};
    QTest::newRow("one line changed") << "abcde"
                                      << "abXde" << Changes{{2, 1, 2, 1}};
    QTest::newRow("a line added") << "abc"
                                  << "abXc" << Changes{{2, 0, 2, 1}};
    QTest::newRow("a line added at the end") << "abc"
                                             << "abcX" << Changes{{3, 0, 3, 1}};
    QTest::newRow("a line removed") << "abcd"
                                    << "abd" << Changes{{2, 1, 2, 0}};
    QTest::newRow("the first line removed") << "abc"
                                            << "bc" << Changes{{0, 1, 0, 0}};
    QTest::newRow("a line split in three") << "abcd"
                                           << "abXYZd" << Changes{{2, 1, 2, 3}};
    QTest::newRow("two stretches apart") << "abcdefg"
                                         << "aXcdeYg" << Changes{{1, 1, 1, 1}, {5, 1, 5, 1}};
    QTest::newRow("a repeated line: the first stays") << "aab"
                                                      << "ab" << Changes{{1, 1, 1, 0}};
    QTest::newRow("everything anew") << "abc"
                                     << "XY" << Changes{{0, 3, 0, 2}};
    QTest::newRow("from nothing") << ""
                                  << "ab" << Changes{{0, 0, 0, 2}};
    QTest::newRow("to nothing") << "ab"
                                << "" << Changes{{0, 2, 0, 0}};
}

void TestLineChanges::changes()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(Changes, changes);
    QCOMPARE(linechanges(linesOf(before), linesOf(after)), changes);
}

void TestLineChanges::changesRebuildTheNewText_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("mixed") << "abcdefghij"
                           << "aXbcdYYfhiZZZ";
    QTest::newRow("moved") << "abcdef"
                           << "defabc";
    QTest::newRow("repeats") << "aaaabbbb"
                             << "abababab";
    QTest::newRow("reversed") << "abcdef"
                              << "fedcba";
}

void TestLineChanges::changesRebuildTheNewText()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QStringList lines = linesOf(before);
    const Changes changes = linechanges(lines, linesOf(after));
    // In order, apart, each changing something, and the new lines named where they stand.
    int at = -1, first = -1;
    for (const LineChange &change : changes) {
        QVERIFY(change.at > at && change.first > first);
        QVERIFY(change.removed > 0 || change.count > 0);
        at = change.at + change.removed;
        first = change.first + change.count;
    }
    applylinechanges(lines, changes, linesOf(after));
    QCOMPARE(lines, linesOf(after));
}

void TestLineChanges::aKeystrokeInALongScriptIsOneChangeFoundQuickly()
{
    // 300 pages of about 40 lines, every line different.
    QStringList before;
    for (int i = 0; i < 12000; ++i)
        before << QStringLiteral("Line %1 of the long script that is read on air tonight.").arg(i);
    QStringList after = before;
    after[7001] += QLatin1Char('s');
    QElapsedTimer clock;
    clock.start();
    const Changes changes = linechanges(before, after);
    QVERIFY2(clock.elapsed() < 50, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(changes, (Changes{{7001, 1, 7001, 1}}));

    // A paste that changes thousands of lines at once stays bounded too.
    for (int i = 2000; i < 9000; i += 2)
        after[i] = QStringLiteral("changed %1").arg(i);
    clock.restart();
    QStringList rebuilt = before;
    applylinechanges(rebuilt, linechanges(before, after), after);
    QCOMPARE(rebuilt, after);
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
}

void TestLineChanges::pageEditsChangeTheBodyOnly()
{
    const QStringList head{QStringLiteral("<html>"), QStringLiteral("<body>")};
    const QStringList before =
        head + QStringList{"one<br>", "two<br>", "three<br>", "<BR>", "</body></html>"};
    const QStringList after =
        head + QStringList{"one<br>", "TWO<br>", "2b<br>", "three<br>", "<BR>", "</body></html>"};
    QCOMPARE(bodystart(before), 2);
    const PageEdit edit = pageedit(before, after);
    QCOMPARE(edit.linesBefore, 5);
    QCOMPARE(edit.changes, (Changes{{1, 1, 1, 2}}));
    QCOMPARE(edit.lines, (QList<QStringList>{{"TWO<br>", "2b<br>"}}));
    // A display whose body tag differs (its own mirror or rotation) takes the same edit.
    QStringList turned = before;
    turned[1] = QStringLiteral("<body style=\"filter: rotation=2\">");
    QVERIFY(applypageedit(turned, edit));
    QCOMPARE(turned.mid(2), after.mid(2));
    QCOMPARE(turned.at(1), QStringLiteral("<body style=\"filter: rotation=2\">"));
}

void TestLineChanges::aPageEditRefusesAnotherPage()
{
    const QStringList page{"<body>", "a<br>", "b<br>", "</body></html>"};
    PageEdit edit = pageedit(page, QStringList{"<body>", "a<br>", "B<br>", "</body></html>"});
    QStringList other{"<body>", "a<br>", "</body></html>"};
    QVERIFY(!applypageedit(other, edit));
    QCOMPARE(other, (QStringList{"<body>", "a<br>", "</body></html>"}));
    QStringList noBody{"a<br>", "b<br>", "c<br>"};
    QVERIFY(!applypageedit(noBody, edit));
    edit.changes[0].removed = 9; // beyond the end
    QStringList same = page;
    QVERIFY(!applypageedit(same, edit));
    QCOMPARE(same, page);
}

VANTELL_CORE_TEST_MAIN(TestLineChanges)
#include "test_linechanges.moc"

#include <QTextCursor>
#include <QTextDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "core/platform/datapaths.h"
#include "core/render/specialchars.h"
#include "testsupport/testmain.h"

class TestCharConversion : public QObject {
    Q_OBJECT
private slots:
    void pageDirectionReplacesField3ByField2();
    void editorDirectionReplacesField2ByField3();
    void emptyPageFormDeletesOnlyInTheEditorDirection();
    void entriesApplyInFileOrder();
    void replacementIsCaseSensitiveAndNotRescanned();
    void malformedLinesDoNothing();
    void emptyTableLeavesListsWithLineBreaksAlone();
    void lineBreaksInsideEntriesSplitThem();
    void firstEntryWorksOnTheRawJoin();
    void progressIsToldEveryTableLine();
    void shippedTableRoundTripsAndIsIdempotent();
    void badTableFilesLoad();
    void unreadableTableThrows();
    void hugeTableStaysQuick();
    void documentsKeepTheFormatOfWhatIsReplaced();
    void documentReplacementsStayInTheirParagraph();
};

namespace {
const QStringList table{QStringLiteral("e acute\t&eacute;\t\u00e9"), QStringLiteral("dash\t&mdash;\t\u2014")};
}

void TestCharConversion::pageDirectionReplacesField3ByField2()
{
    QStringList lines{QStringLiteral("caf\u00e9 \u2014 ok"), QStringLiteral("\u00e9\u00e9")};
    QStringList &result = convertchars(QStringLiteral("page"), lines, table);
    QCOMPARE(&result, &lines);
    QCOMPARE(lines,
             (QStringList{QStringLiteral("caf&eacute; &mdash; ok"), QStringLiteral("&eacute;&eacute;")}));
}

void TestCharConversion::editorDirectionReplacesField2ByField3()
{
    QStringList lines{QStringLiteral("caf&eacute; &mdash;")};
    convertchars(QStringLiteral("editor"), lines, table);
    QCOMPARE(lines, QStringList{QStringLiteral("caf\u00e9 \u2014")});
}

void TestCharConversion::emptyPageFormDeletesOnlyInTheEditorDirection()
{
    const QStringList deleting{QStringLiteral("x\tgone\t")};
    QStringList page{QStringLiteral("all gone here")};
    convertchars(QStringLiteral("page"), page, deleting);
    QCOMPARE(page, QStringList{QStringLiteral("all gone here")});
    QStringList editor{QStringLiteral("all gone here")};
    convertchars(QStringLiteral("editor"), editor, deleting);
    QCOMPARE(editor, QStringList{QStringLiteral("all  here")});
}

void TestCharConversion::entriesApplyInFileOrder()
{
    // The first entry's target holds the second entry's source, so the second rewrites it.
    const QStringList chained{QStringLiteral("a\tb\ta"), QStringLiteral("b\tc\tb")};
    QStringList lines{QStringLiteral("a")};
    convertchars(QStringLiteral("page"), lines, chained);
    QCOMPARE(lines, QStringList{QStringLiteral("c")});
    // Reversed order: the second entry no longer sees it.
    QStringList reversed{chained.at(1), chained.at(0)};
    QStringList again{QStringLiteral("a")};
    convertchars(QStringLiteral("page"), again, reversed);
    QCOMPARE(again, QStringList{QStringLiteral("b")});
}

void TestCharConversion::replacementIsCaseSensitiveAndNotRescanned()
{
    QStringList lines{QStringLiteral("\u00e9\u00c9 ooo")};
    const QStringList doubling{QStringLiteral("x\too\to")};
    convertchars(QStringLiteral("page"), lines, table + doubling);
    QCOMPARE(lines, QStringList{QStringLiteral("&eacute;\u00c9 oooooo")});
}

void TestCharConversion::malformedLinesDoNothing()
{
    const QStringList odd{QString(), QStringLiteral("only one field"), QStringLiteral("two\tfields"),
                          QStringLiteral("\t\t")};
    QStringList lines{QStringLiteral("only one field two fields")};
    convertchars(QStringLiteral("page"), lines, odd);
    QCOMPARE(lines, QStringList{QStringLiteral("only one field two fields")});
}

void TestCharConversion::emptyTableLeavesListsWithLineBreaksAlone()
{
    QStringList lines{QStringLiteral("\r\n"), QStringLiteral("a\nb")};
    convertchars(QStringLiteral("page"), lines, {});
    QCOMPARE(lines, (QStringList{QStringLiteral("\r\n"), QStringLiteral("a\nb")}));
}

void TestCharConversion::lineBreaksInsideEntriesSplitThem()
{
    QStringList lines{QStringLiteral("one"), QStringLiteral("\r\n"), QStringLiteral("two\rthree"), QString()};
    convertchars(QStringLiteral("page"), lines, table);
    QCOMPARE(lines, (QStringList{"one", "", "", "two", "three", ""}));
}

void TestCharConversion::firstEntryWorksOnTheRawJoin()
{
    // Deleting the text between a lone CR and a LF joins them into one line break when the
    // first entry does it, but not when a later entry does (the list was split in between).
    const QStringList first{QStringLiteral("x\t\tAB")};
    QStringList lines{QStringLiteral("x\rAB\ny")};
    convertchars(QStringLiteral("page"), lines, first);
    QCOMPARE(lines, (QStringList{"x", "y"}));
    QStringList later{QStringLiteral("x\rAB\ny")};
    convertchars(QStringLiteral("page"), later, table + first);
    QCOMPARE(later, (QStringList{"x", "", "y"}));
}

void TestCharConversion::progressIsToldEveryTableLine()
{
    QList<QPair<int, int>> calls;
    QStringList lines{QStringLiteral("x")};
    convertchars(QStringLiteral("page"), lines, table, [&](int i, int n) { calls.append({i, n}); });
    QCOMPARE(calls, (QList<QPair<int, int>>{{0, 2}, {1, 2}}));
}

void TestCharConversion::shippedTableRoundTripsAndIsIdempotent()
{
    const QString path = DataPaths::find(QStringLiteral("specialchars.dat"));
    QVERIFY2(!path.isEmpty(), "specialchars.dat is copied next to the test");
    const QStringList shipped = loadspecialtable(path);
    QVERIFY(shipped.size() > 100);
    const QString text =
        QStringLiteral("Caf\u00e9 \u2014 \u201cna\u00efve\u201d \u00c0 la cr\u00e8me, 5\u20ac\u2026");
    QStringList lines{text};
    convertchars(QStringLiteral("page"), lines, shipped);
    QCOMPARE(lines,
             QStringList{QStringLiteral(
                 "Caf&eacute; &mdash; &ldquo;na&iuml;ve&rdquo; &Agrave; la cr&egrave;me, 5&euro;&hellip;")});
    QStringList twice = lines;
    convertchars(QStringLiteral("page"), twice, shipped);
    QCOMPARE(twice, lines);
    convertchars(QStringLiteral("editor"), lines, shipped);
    QCOMPARE(lines, QStringList{text});
}

void TestCharConversion::badTableFilesLoad()
{
    QTemporaryDir dir;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("empty"), {});
    QCOMPARE(loadspecialtable(dir.filePath(QStringLiteral("empty"))), QStringList{});

    const QString utf16Text = QStringLiteral("n\t&ntilde;\t\u00f1\r\n");
    QByteArray utf16Bytes("\xFF\xFE", 2);
    utf16Bytes += QByteArray(reinterpret_cast<const char *>(utf16Text.utf16()), utf16Text.size() * 2);
    write(QStringLiteral("utf16"), utf16Bytes);
    QStringList utf16 = loadspecialtable(dir.filePath(QStringLiteral("utf16")));
    QCOMPARE(utf16, QStringList{QStringLiteral("n\t&ntilde;\t\u00f1")});

    write(QStringLiteral("cr"), "a\t&x;\tx\rb\t&y;\ty\r");
    QCOMPARE(loadspecialtable(dir.filePath(QStringLiteral("cr"))).size(), 2);

    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 7919) % 256));
    write(QStringLiteral("binary"), binary);
    QStringList lines{QStringLiteral("some text")};
    convertchars(QStringLiteral("page"), lines, loadspecialtable(dir.filePath(QStringLiteral("binary"))));
    QVERIFY(!lines.isEmpty());
}

void TestCharConversion::unreadableTableThrows()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             loadspecialtable(QStringLiteral("/nonexistent/specialchars.dat")));
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, loadspecialtable(dir.path()));
}

void TestCharConversion::hugeTableStaysQuick()
{
    // 10 MB of entries whose sources do not occur in the script.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("big.dat")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray line;
    for (int i = 0; file.size() < 10 * 1024 * 1024; ++i) {
        line = "entry " + QByteArray::number(i) + "\t&x" + QByteArray::number(i) + ";\t" +
               QString(QChar(0x4E00 + i % 20000)).toUtf8() + QByteArray::number(i) + "\r\n";
        file.write(line);
    }
    file.close();
    const QStringList big = loadspecialtable(file.fileName());
    QVERIFY(big.size() > 200000);
    QStringList script;
    for (int i = 0; i < 2000; ++i)
        script << QStringLiteral("plain line %1").arg(i);
    QElapsedTimer clock;
    clock.start();
    convertchars(QStringLiteral("page"), script, big);
    QCOMPARE(script.size(), 2000);
    QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
}

void TestCharConversion::documentsKeepTheFormatOfWhatIsReplaced()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("a--b "), red);
    cursor.insertText(QStringLiteral("--"), bold);
    cursor.insertText(QStringLiteral(" c-"), red);
    cursor.insertText(QStringLiteral("-d"), bold);
    // Entries apply in table order, each on what the ones before it left.
    convertchars(QStringLiteral("editor"), &document,
                 {QStringLiteral("Dash\t--\t~"), QStringLiteral("Tilde\t~\t[dash]")});
    QCOMPARE(document.toPlainText(), QStringLiteral("a[dash]b [dash] c[dash]d"));
    const auto formatAt = [&document](int position) {
        QTextCursor at(&document);
        at.setPosition(position + 1);
        return at.charFormat();
    };
    QCOMPARE(formatAt(1).foreground().color(), QColor(Qt::red));
    QCOMPARE(formatAt(9).fontWeight(), int(QFont::Bold));
    // A match across two runs takes the format of its first character.
    QCOMPARE(formatAt(17).foreground().color(), QColor(Qt::red));
    QCOMPARE(formatAt(23).fontWeight(), int(QFont::Bold));
    // One step for undo.
    document.undo();
    QCOMPARE(document.toPlainText(), QStringLiteral("a--b -- c--d"));
}

void TestCharConversion::documentReplacementsStayInTheirParagraph()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("one-\n-two\n\n--"));
    convertchars(QStringLiteral("page"), &document,
                 {QStringLiteral("Dash\t\u2013\t--"), QStringLiteral("bad line")});
    QCOMPARE(document.toPlainText(), QStringLiteral("one-\n-two\n\n\u2013"));
    QCOMPARE(document.blockCount(), 4);
}

VANTELL_CORE_TEST_MAIN(TestCharConversion)
#include "test_charconversion.moc"

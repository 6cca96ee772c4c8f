#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "core/rtf/rtf.h"
#include "testsupport/testmain.h"

class TestRtfWriter : public QObject {
    Q_OBJECT
private slots:
    void headerAndTables();
    void text_data();
    void text();
    void characterRunsWriteOnlyTheirChanges();
    void listItemsInTheRichEditForm();
    void numberedItems();
    void itemNumbersAreTheListsOwn_data();
    void itemNumbersAreTheListsOwn();
    void alignmentWords();
    void fontNamesAreEscapedInTheTable();
    void emptyDocumentsAndParagraphsReadBack();
    void automaticColourIsWrittenAsTheColourShown();
};

namespace {

// A document whose default font is what RTF readers assume before any \fs: 12 points.
void prepare(QTextDocument &document)
{
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
}

// The part after the header: the paragraphs.
QByteArray body(const QByteArray &rtf)
{
    const qsizetype start = rtf.indexOf("\\uc1\r\n");
    return start < 0 ? rtf : rtf.mid(start + 6);
}

QTextCharFormat bold()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

} // namespace

void TestRtfWriter::headerAndTables()
{
    QTextDocument document;
    prepare(document);
    QTextCursor cursor(&document);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontFamilies({QStringLiteral("Courier New")});
    cursor.insertText(QStringLiteral("x"), red);
    const QByteArray rtf = writeRtf(&document);
    QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                            "{\\f1\\fnil\\fcharset0 Courier New;}}\r\n"
                            "{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\uc1\r\n"),
             rtf.constData());
    QCOMPARE(body(rtf), QByteArray("\\pard\\f1\\cf1 x\\par\r\n}\r\n"));
}

void TestRtfWriter::text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written"); // after \pard, which a plain character needs a blank after
    QTest::newRow("ASCII as it is") << QStringLiteral("Hello, world?") << QByteArray(" Hello, world?");
    QTest::newRow("backslash and braces escaped") << QStringLiteral("a\\b{c}") << QByteArray(R"( a\\b\{c\})");
    QTest::newRow("1252 upper half as hex")
        << QStringLiteral("café €“") << QByteArray(R"( caf\'e9 \'80\'93)");
    QTest::newRow("no-break space") << QStringLiteral("a\u00A0b") << QByteArray(R"( a\'a0b)");
    QTest::newRow("outside 1252 as u with a stand-in")
        << QStringLiteral("日本") << QByteArray(R"(\u26085?\u26412?)");
    QTest::newRow("u above 32767 is negative") << QStringLiteral("\uF0B7") << QByteArray(R"(\u-3913?)");
    QTest::newRow("surrogate pair as two u") << QStringLiteral("😀") << QByteArray(R"(\u-10179?\u-8704?)");
    QTest::newRow("C1 controls are not 1252") << QStringLiteral("\u0081") << QByteArray(R"(\u129?)");
    QTest::newRow("digits after u") << QStringLiteral("日1") << QByteArray(R"(\u26085?1)");
    QTest::newRow("tab and line break") << QStringLiteral("a\tb\u2028c") << QByteArray(R"( a\tab b\line c)");
    QTest::newRow("blank after a control word stays text")
        << QStringLiteral("\t x") << QByteArray(R"(\tab  x)");
    QTest::newRow("controls dropped") << QStringLiteral("a\u0001\u001Fb") << QByteArray(" ab");
}

void TestRtfWriter::text()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    QTextDocument document;
    prepare(document);
    QTextCursor(&document).insertText(text);
    const QByteArray rtf = writeRtf(&document);
    QCOMPARE(body(rtf), "\\pard" + written + "\\par\r\n}\r\n");
    QTextDocument back;
    QVERIFY(readRtf(rtf, &back));
    QString expected = text;
    expected.remove(QChar(1)).remove(QChar(0x1F));
    QCOMPARE(back.begin().text(), expected);
}

void TestRtfWriter::characterRunsWriteOnlyTheirChanges()
{
    QTextDocument document;
    prepare(document);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("plain "), QTextCharFormat());
    cursor.insertText(QStringLiteral("B"), bold());
    QTextCharFormat italicRed;
    italicRed.setFontItalic(true);
    italicRed.setForeground(QColor(255, 0, 0));
    cursor.insertText(QStringLiteral("I"), italicRed);
    QTextCharFormat decorated;
    decorated.setFontUnderline(true);
    decorated.setFontStrikeOut(true);
    decorated.setFontPointSize(10.5);
    cursor.insertText(QStringLiteral("U"), decorated);
    cursor.insertText(QStringLiteral("p"), QTextCharFormat());
    QCOMPARE(body(writeRtf(&document)),
             QByteArray("\\pard plain \\b B\\cf1\\b0\\i I\\fs21\\cf0\\i0\\ul\\strike U"
                        "\\fs24\\ulnone\\strike0 p\\par\r\n}\r\n"));
}

void TestRtfWriter::listItemsInTheRichEditForm()
{
    QTextDocument document;
    prepare(document);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("one"));
    cursor.createList(QTextListFormat::ListDisc);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("two"));
    cursor.insertBlock();
    cursor.currentList()->remove(cursor.block());
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.insertText(QStringLiteral("three"));
    const QByteArray rtf = writeRtf(&document);
    QVERIFY2(rtf.contains("{\\f1\\fnil\\fcharset2 Symbol;}"), rtf.constData());
    QCOMPARE(body(rtf),
             QByteArray("\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
                        "\\fi-360\\li720 one\\par\r\n"
                        "{\\pntext\\f1\\'B7\\tab}two\\par\r\n"
                        "\\pard three\\par\r\n}\r\n"));
}

void TestRtfWriter::numberedItems()
{
    QTextDocument document;
    prepare(document);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("one"));
    cursor.createList(QTextListFormat::ListUpperRoman);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("two"));
    QCOMPARE(body(writeRtf(&document)),
             QByteArray("\\pard{\\pntext\\f0 I.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pnucrm"
                        "{\\pntxta.}}\\fi-360\\li720 one\\par\r\n"
                        "{\\pntext\\f0 II.\\tab}two\\par\r\n}\r\n"));
}

void TestRtfWriter::itemNumbersAreTheListsOwn_data()
{
    QTest::addColumn<QTextListFormat::Style>("style");
    QTest::newRow("decimal") << QTextListFormat::ListDecimal;
    QTest::newRow("lower letters") << QTextListFormat::ListLowerAlpha;
    QTest::newRow("upper letters") << QTextListFormat::ListUpperAlpha;
    QTest::newRow("lower roman") << QTextListFormat::ListLowerRoman;
    QTest::newRow("upper roman") << QTextListFormat::ListUpperRoman;
}

void TestRtfWriter::itemNumbersAreTheListsOwn()
{
    // Past 26 letters and through the largest roman numbers; a second list starts again at 1.
    QFETCH(QTextListFormat::Style, style);
    QTextDocument document;
    prepare(document);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("item"));
    QTextList *list = cursor.createList(style);
    for (int i = 1; i < 5002; ++i) {
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("item"));
    }
    cursor.insertBlock();
    list->remove(cursor.block());
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.insertBlock();
    cursor.createList(style);
    QStringList expected;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!block.textList())
            continue;
        // Past 4999 a list shows roman numbers as "?"; the writer writes the number.
        const QString text = block.textList()->itemText(block);
        expected << (text == QStringLiteral("?.")
                         ? QString::number(block.textList()->itemNumber(block) + 1) + u'.'
                         : text);
    }
    QStringList written;
    const QByteArray rtf = writeRtf(&document);
    const QByteArray start = "{\\pntext\\f0 ";
    for (qsizetype at = rtf.indexOf(start); at >= 0; at = rtf.indexOf(start, at + 1)) {
        const qsizetype from = at + start.size();
        written << QString::fromLatin1(rtf.mid(from, rtf.indexOf("\\tab}", from) - from));
    }
    QCOMPARE(written.size(), 5003);
    QCOMPARE(written, expected);
    QVERIFY(rtf.contains("\\pnstart1"));
    QVERIFY(!rtf.contains("\\pnstart2"));
}

void TestRtfWriter::alignmentWords()
{
    QTextDocument document;
    prepare(document);
    QTextCursor cursor(&document);
    const Qt::Alignment alignments[] = {Qt::AlignHCenter, Qt::AlignRight | Qt::AlignAbsolute,
                                        Qt::AlignJustify, Qt::AlignLeft,
                                        Qt::AlignLeft,    Qt::AlignCenter};
    for (const Qt::Alignment alignment : alignments) {
        if (cursor.position() > 0)
            cursor.insertBlock();
        QTextBlockFormat format;
        format.setAlignment(alignment);
        cursor.setBlockFormat(format);
        cursor.insertText(QStringLiteral("x"));
    }
    QCOMPARE(body(writeRtf(&document)), QByteArray("\\pard\\qc x\\par\r\n"
                                                   "\\pard\\qr x\\par\r\n"
                                                   "\\pard\\qj x\\par\r\n"
                                                   "\\pard x\\par\r\n"
                                                   "x\\par\r\n"
                                                   "\\pard\\qc x\\par\r\n}\r\n"));
}

void TestRtfWriter::fontNamesAreEscapedInTheTable()
{
    QTextDocument document;
    prepare(document);
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral(" Odd{Face}\\ é日;x ")});
    QTextCursor(&document).insertText(QStringLiteral("x"), format);
    const QByteArray rtf = writeRtf(&document);
    QVERIFY2(rtf.contains(R"({\f1\fnil\fcharset0 Odd\{Face\}\\ \'e9\u26085?x;})"), rtf.constData());
    QTextDocument back;
    QVERIFY(readRtf(rtf, &back));
    QTextCursor cursor(&back);
    cursor.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(cursor.charFormat().fontFamilies().toStringList(), QStringList{"Odd{Face}\\ é日x"});
}

void TestRtfWriter::emptyDocumentsAndParagraphsReadBack()
{
    QTextDocument empty;
    prepare(empty);
    QCOMPARE(body(writeRtf(&empty)), QByteArray("\\pard\\par\r\n}\r\n"));
    QTextDocument back(QStringLiteral("old"));
    QVERIFY(readRtf(writeRtf(&empty), &back));
    QCOMPARE(back.blockCount(), 1);
    QCOMPARE(back.toPlainText(), QString());

    // Empty paragraphs at both ends survive, with the format text typed into them will get.
    QTextDocument document;
    prepare(document);
    QTextCursor cursor(&document);
    cursor.setBlockCharFormat(bold());
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText(QStringLiteral("middle"), QTextCharFormat());
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertBlock(QTextBlockFormat(), bold());
    QVERIFY(readRtf(writeRtf(&document), &back));
    QCOMPARE(back.toPlainText(), QStringLiteral("\nmiddle\n\n"));
    QCOMPARE(back.begin().charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(back.lastBlock().charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(back.lastBlock().previous().charFormat().fontWeight(), int(QFont::Normal));
}

void TestRtfWriter::automaticColourIsWrittenAsTheColourShown()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("plain "));
    QTextCharFormat red;
    red.setForeground(QColor(Qt::red));
    cursor.insertText(QStringLiteral("red"), red);

    // Left automatic, another reader would show the text in its own colour.
    const QByteArray automatic = writeRtf(&document);
    QVERIFY(automatic.contains("{\\colortbl ;\\red255\\green0\\blue0;}"));

    const QByteArray shown = writeRtf(&document, Qt::white);
    QVERIFY2(shown.contains("{\\colortbl ;\\red255\\green255\\blue255;\\red255\\green0\\blue0;}"), shown);
    QTextDocument readBack;
    QVERIFY(readRtf(shown, &readBack));
    QTextCursor at(&readBack);
    at.setPosition(1);
    QCOMPARE(at.charFormat().foreground().color(), QColor(Qt::white));
    at.setPosition(8);
    QCOMPARE(at.charFormat().foreground().color(), QColor(Qt::red));
}

VANTELL_CORE_TEST_MAIN(TestRtfWriter)
#include "test_rtfwriter.moc"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "core/rtf/rtf.h"
#include "testsupport/testmain.h"

class TestRtfReader : public QObject {
    Q_OBJECT
private slots:
    void recognition_data();
    void recognition();
    void notRtfLeavesTheDocumentAlone();
    void text_data();
    void text();
    void characterFormat_data();
    void characterFormat();
    void fontTableForms_data();
    void fontTableForms();
    void withoutDefaultFontTheFamilyIsLeftToTheDocument();
    void emptyParagraphKeepsItsCharacterFormat();
    void alignment_data();
    void alignment();
    void listItems_data();
    void listItems();
    void neighbouringItemsShareOneList();
    void readingIsNotUndoable();
    void damagedInput_data();
    void damagedInput();
    void deepNestingIsReadWithoutRecursion();
    void randomBytesAfterTheHeader();
    void oneMegabyteReadsInLinearTime();
};

namespace {

// The document's paragraphs; a line break inside one shows as U+2028.
QStringList paragraphs(const QTextDocument &document)
{
    QStringList result;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        result << block.text();
    return result;
}

QStringList read(const QByteArray &rtf)
{
    QTextDocument document;
    if (!readRtf(rtf, &document))
        return {QStringLiteral("(not RTF)")};
    return paragraphs(document);
}

// The character format of the first character of `text` in the document.
QTextCharFormat formatOf(const QTextDocument &document, const QString &text)
{
    QTextCursor cursor = document.find(text);
    if (cursor.isNull())
        return {};
    cursor.setPosition(cursor.selectionStart() + 1);
    return cursor.charFormat();
}

QTextListFormat::Style listStyleOf(const QTextBlock &block)
{
    return block.textList() ? block.textList()->format().style() : QTextListFormat::ListStyleUndefined;
}

const QByteArray formatHeader =
    R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}})"
    R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})";

} // namespace

void TestRtfReader::recognition_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("isRtf");
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("plain text") << QByteArray("Hello") << false;
    QTest::newRow("minimal document") << QByteArray(R"({\rtf1})") << true;
    QTest::newRow("only the start") << QByteArray(R"({\rtf)") << true;
    QTest::newRow("white space before") << QByteArray(" \t\r\n{\\rtf1 a}") << true;
    QTest::newRow("upper case is not RTF") << QByteArray(R"({\RTF1 a})") << false;
    QTest::newRow("blank inside the start") << QByteArray(R"({ \rtf1 a})") << false;
    QTest::newRow("byte-order mark first") << QByteArray("\xEF\xBB\xBF{\\rtf1 a}") << false;
    QTest::newRow("text before") << QByteArray(R"(x{\rtf1 a})") << false;
}

void TestRtfReader::recognition()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, isRtf);
    QTextDocument document;
    QCOMPARE(readRtf(data, &document), isRtf);
}

void TestRtfReader::notRtfLeavesTheDocumentAlone()
{
    QTextDocument document(QStringLiteral("kept"));
    QVERIFY(!readRtf("plain", &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
    QVERIFY(readRtf(R"({\rtf1 new})", &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("new"));
}

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");

    // Structure
    QTest::newRow("one paragraph") << QByteArray(R"({\rtf1 Hello})") << QStringList{"Hello"};
    QTest::newRow("mark after the last paragraph adds none")
        << QByteArray(R"({\rtf1 a\par b\par})") << QStringList{"a", "b"};
    QTest::newRow("empty paragraphs stay")
        << QByteArray(R"({\rtf1 a\par\par b\par\par})") << QStringList{"a", "", "b", ""};
    QTest::newRow("nothing but a mark") << QByteArray(R"({\rtf1\par})") << QStringList{""};
    QTest::newRow("sections and pages end paragraphs")
        << QByteArray(R"({\rtf1 a\sect b\page c})") << QStringList{"a", "b", "c"};
    QTest::newRow("line break and tab")
        << QByteArray(R"({\rtf1 a\line b\tab c})") << QStringList{"a\u2028b\tc"};
    QTest::newRow("raw tab byte") << QByteArray("{\\rtf1 a\tb}") << QStringList{"a\tb"};
    QTest::newRow("escaped braces and backslash") << QByteArray(R"({\rtf1 \{x\}\\})") << QStringList{"{x}\\"};
    QTest::newRow("space after a control word is eaten")
        << QByteArray(R"({\rtf1\b  two})") << QStringList{" two"};
    QTest::newRow("line ends are not text") << QByteArray("{\\rtf1 a\r\nb\nc}") << QStringList{"abc"};
    QTest::newRow("backslash before a line end is a paragraph")
        << QByteArray("{\\rtf1 a\\\nb\\\r\nc}") << QStringList{"a", "b", "c"};
    QTest::newRow("special characters")
        << QByteArray(R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~\_\-})")
        << QStringList{"\u2014\u2013\u2022\u2018\u2019\u201C\u201D\u00A0\u2011\u00AD"};
    QTest::newRow("text after the document's group is not read")
        << QByteArray("{\\rtf1 a\\par\r\n}\r\n" + QByteArray(1, '\0') + " junk") << QStringList{"a"};

    // 8-bit text
    QTest::newRow("1252 by default") << QByteArray(R"({\rtf1\ansi caf\'e9 \'80\'96})")
                                     << QStringList{"café €–"};
    QTest::newRow("raw high bytes are 1252 too") << QByteArray("{\\rtf1 caf\xe9}") << QStringList{"café"};
    QTest::newRow("ansicpg1251") << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})")
                                 << QStringList{"При"};
    QTest::newRow("mac") << QByteArray(R"({\rtf1\mac \'8e})") << QStringList{"é"};
    QTest::newRow("pc") << QByteArray(R"({\rtf1\pc \'82})") << QStringList{"é"};
    QTest::newRow("font charset wins over the document's code page")
        << QByteArray(R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}})"
                      R"(\f1\'cf\f0\'cf})")
        << QStringList{"ПÏ"};
    QTest::newRow("font code page wins over its charset")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fcharset0\cpg1253 Greek;}}\f0\'e1})") << QStringList{"α"};
    QTest::newRow("default charset means the document's")
        << QByteArray(R"({\rtf1\ansicpg1250{\fonttbl{\f0\fcharset1 X;}}\f0\'9a})") << QStringList{"š"};
    QTest::newRow("932 double bytes")
        << QByteArray(R"({\rtf1\ansi\ansicpg932 \'82\'a0\'82\'a2})") << QStringList{"あい"};
    QTest::newRow("932 trail byte as a letter or an escaped backslash")
        << QByteArray(R"({\rtf1\ansicpg932 \'83A\'95\\})") << QStringList{"ア表"};
    QTest::newRow("932 from a font's charset")
        << QByteArray(R"({\rtf1\ansi{\fonttbl{\f1\fcharset128 MS Mincho;}}\f1\'93\'fa\'96\'7b})")
        << QStringList{"日本"};
    QTest::newRow("936") << QByteArray(R"({\rtf1\ansicpg936 \'c4\'e3\'ba\'c3})") << QStringList{"你好"};
    QTest::newRow("949") << QByteArray(R"({\rtf1\ansicpg949 \'c7\'d1})") << QStringList{"한"};
    QTest::newRow("950") << QByteArray(R"({\rtf1\ansicpg950 \'a4\'a4})") << QStringList{"中"};
    QTest::newRow("lead byte without its trail")
        << QByteArray(R"({\rtf1\ansicpg932 \'82\par x})") << QStringList{"\uFFFD", "x"};
    QTest::newRow("unknown code page reads as 1252")
        << QByteArray(R"({\rtf1\ansicpg4242 \'e9})") << QStringList{"é"};

    // Unicode
    QTest::newRow("u with its stand-in") << QByteArray(R"({\rtf1 \u233?x})") << QStringList{"éx"};
    QTest::newRow("uc0 has no stand-in") << QByteArray(R"({\rtf1\uc0\u233 x})") << QStringList{"éx"};
    QTest::newRow("uc2 skips two escaped bytes")
        << QByteArray(R"({\rtf1\uc2\u26085\'93\'fax})") << QStringList{"日x"};
    QTest::newRow("stand-in spans text and escape")
        << QByteArray(R"({\rtf1\uc2\u233 a\'e9b})") << QStringList{"éb"};
    QTest::newRow("a control word counts as one stand-in")
        << QByteArray(R"({\rtf1\u8220\ldblquote x})") << QStringList{"“x"};
    QTest::newRow("negative N") << QByteArray(R"({\rtf1\u-3913?})") << QStringList{"\uF0B7"};
    QTest::newRow("surrogate pair") << QByteArray(R"({\rtf1\u-10179?\u-8704?})") << QStringList{"😀"};
    QTest::newRow("unpaired high surrogate") << QByteArray(R"({\rtf1\u-10179?x})") << QStringList{"\uFFFDx"};
    QTest::newRow("unpaired low surrogate") << QByteArray(R"({\rtf1 x\u-8704?})") << QStringList{"x\uFFFD"};
    QTest::newRow("stand-in ends with its group") << QByteArray(R"({\rtf1{\u233}x})") << QStringList{"éx"};
    QTest::newRow("uc belongs to its group")
        << QByteArray(R"({\rtf1{\uc2\u233??}\u233?x})") << QStringList{"ééx"};
    QTest::newRow("characters a document cannot hold are dropped")
        << QByteArray(R"({\rtf1 a\u0?\u13?\u8233?\u-560?b})") << QStringList{"ab"};
    QTest::newRow("u in a font name")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 \u26085?;}}x})") << QStringList{"x"};

    // Destinations whose content is not text
    QTest::newRow("unknown ignorable destination")
        << QByteArray(R"({\rtf1 a{\*\unknown b{c}}d})") << QStringList{"ad"};
    QTest::newRow("ignorable destination with text first")
        << QByteArray(R"({\rtf1 a{\* b}c})") << QStringList{"ac"};
    QTest::newRow("ignorable destination with an escape first")
        << QByteArray(R"({\rtf1 a{\*\'41\~b}c})") << QStringList{"ac"};
    QTest::newRow("unknown plain control word keeps its text")
        << QByteArray(R"({\rtf1 a{\upr b}c})") << QStringList{"abc"};
    QTest::newRow("tables, info, style sheet, generator")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 A;}}{\colortbl;\red1\green2\blue3;}{\stylesheet{\s0 Normal;}})"
                      R"({\info{\title T}{\author W}}{\*\generator G;}text})")
        << QStringList{"text"};
    QTest::newRow("picture with binary data")
        << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\bin6 }{\\}\\ 0102}b}") << QStringList{"ab"};
    QTest::newRow("binary data outside a picture")
        << QByteArray(R"({\rtf1 a\bin2 xyb})") << QStringList{"ab"};
    QTest::newRow("object and shape")
        << QByteArray(R"({\rtf1 a{\object\objemb{\*\objdata 0102}{\result{\pict 00}}}{\shp{\*\shpinst x}}b})")
        << QStringList{"ab"};
    QTest::newRow("headers, footers, footnotes")
        << QByteArray(R"({\rtf1{\header H}{\footerr F}a{\footnote N}b})") << QStringList{"ab"};
    QTest::newRow("field result kept, instruction skipped")
        << QByteArray(R"({\rtf1 see {\field{\*\fldinst HYPERLINK "http://x"}{\fldrslt link}}.})")
        << QStringList{"see link."};
    QTest::newRow("field instruction without star")
        << QByteArray(R"({\rtf1{\field{\fldinst PAGE}{\fldrslt 7}}})") << QStringList{"7"};
    QTest::newRow("bullet stand-ins are not text")
        << QByteArray(R"({\rtf1{\pntext\f1\'b7\tab}one\par{\listtext\pard\plain \'b7\tab}two})")
        << QStringList{"one", "two"};
    QTest::newRow("paragraph mark inside a skipped group")
        << QByteArray(R"({\rtf1 a{\*\x\par}b})") << QStringList{"ab"};
    QTest::newRow("bookmarks") << QByteArray(R"({\rtf1{\*\bkmkstart m}a{\*\bkmkend m}})") << QStringList{"a"};

    // Tables
    QTest::newRow("table rows")
        << QByteArray(R"({\rtf1\trowd\cellx1000\cellx2000\pard\intbl a\cell b\cell\row)"
                      R"(\trowd\cellx1000\cellx2000\pard\intbl c\cell d\cell\row\pard after\par})")
        << QStringList{"a\tb", "c\td", "after"};
    QTest::newRow("empty cells") << QByteArray(R"({\rtf1\pard\intbl\cell b\cell\cell d\cell\cell\row})")
                                 << QStringList{"\tb\t\td"};
    QTest::newRow("paragraphs inside a cell")
        << QByteArray(R"({\rtf1\pard\intbl a\par b\cell c\cell\row})") << QStringList{"a", "b\tc"};
    QTest::newRow("nested cells") << QByteArray(R"({\rtf1\pard\intbl a\nestcell b\nestcell\nestrow})")
                                  << QStringList{"a\tb"};
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);
    QCOMPARE(read(rtf), expected);
}

void TestRtfReader::characterFormat_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strikeOut");
    QTest::addColumn<QColor>("color"); // invalid: automatic, no foreground

    const QString arial = QStringLiteral("Arial");
    const QString times = QStringLiteral("Times New Roman");
    const QColor automatic;
    const QColor red(255, 0, 0);
    QTest::newRow("defaults: deff and 12 points")
        << QByteArray("x") << arial << 12.0 << false << false << false << false << automatic;
    QTest::newRow("fs is in half points")
        << QByteArray(R"(\fs21 x)") << arial << 10.5 << false << false << false << false << automatic;
    QTest::newRow("fs without a number")
        << QByteArray(R"(\fs40\fs x)") << arial << 12.0 << false << false << false << false << automatic;
    QTest::newRow("fs of 2^40 is clamped") << QByteArray(R"(\fs1099511627776 x)") << arial << 1638.0 << false
                                           << false << false << false << automatic;
    QTest::newRow("fs below 1 is clamped") << QByteArray(R"(\fs-1099511627776 x)") << arial << 0.5 << false
                                           << false << false << false << automatic;
    QTest::newRow("font") << QByteArray(R"(\f1 x)") << times << 12.0 << false << false << false << false
                          << automatic;
    QTest::newRow("unknown font: no family")
        << QByteArray(R"(\f7 x)") << QString() << 12.0 << false << false << false << false << automatic;
    QTest::newRow("all styles") << QByteArray(R"(\b\i\ul\strike x)") << arial << 12.0 << true << true << true
                                << true << automatic;
    QTest::newRow("styles with 1") << QByteArray(R"(\b1\i1\ul1\strike1 x)") << arial << 12.0 << true << true
                                   << true << true << automatic;
    QTest::newRow("styles switched off with 0")
        << QByteArray(R"(\b\i\ul\strike\b0\i0\ul0\strike0 x)") << arial << 12.0 << false << false << false
        << false << automatic;
    QTest::newRow("ulnone") << QByteArray(R"(\ul\ulnone x)") << arial << 12.0 << false << false << false
                            << false << automatic;
    QTest::newRow("other underlines")
        << QByteArray(R"(\uldb\ulwave x)") << arial << 12.0 << false << false << true << false << automatic;
    QTest::newRow("underline colour is no underline")
        << QByteArray(R"(\ulc1 x)") << arial << 12.0 << false << false << false << false << automatic;
    QTest::newRow("double strike-out")
        << QByteArray(R"(\striked1 x)") << arial << 12.0 << false << false << false << true << automatic;
    QTest::newRow("colour") << QByteArray(R"(\cf1 x)") << arial << 12.0 << false << false << false << false
                            << red;
    QTest::newRow("cf0 is automatic")
        << QByteArray(R"(\cf1\cf0 x)") << arial << 12.0 << false << false << false << false << automatic;
    QTest::newRow("colour past the table is automatic")
        << QByteArray(R"(\cf9 x)") << arial << 12.0 << false << false << false << false << automatic;
    QTest::newRow("huge colour number") << QByteArray(R"(\cf99999999999999999999 x)") << arial << 12.0
                                        << false << false << false << false << automatic;
    QTest::newRow("plain goes back to the defaults")
        << QByteArray(R"(\f1\fs40\b\i\ul\strike\cf1\plain x)") << arial << 12.0 << false << false << false
        << false << automatic;
    QTest::newRow("group end restores")
        << QByteArray(R"(\b{\i\f1\cf1 y}x)") << arial << 12.0 << true << false << false << false << automatic;
    QTest::newRow("pard keeps character format") << QByteArray(R"(\b\cf2\pard x)") << arial << 12.0 << true
                                                 << false << false << false << QColor(0, 0, 255);
}

void TestRtfReader::characterFormat()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(bool, strikeOut);
    QFETCH(QColor, color);
    QTextDocument document;
    QVERIFY(readRtf(formatHeader + body + "}", &document));
    const QTextCharFormat format = formatOf(document, QStringLiteral("x"));
    QCOMPARE(format.fontFamilies().toStringList().value(0), family);
    QCOMPARE(format.fontPointSize(), points);
    QCOMPARE(format.fontWeight() >= QFont::Bold, bold);
    QCOMPARE(format.fontItalic(), italic);
    QCOMPARE(format.fontUnderline(), underline);
    QCOMPARE(format.fontStrikeOut(), strikeOut);
    QCOMPARE(format.hasProperty(QTextFormat::ForegroundBrush), color.isValid());
    if (color.isValid())
        QCOMPARE(format.foreground().color(), color);
}

void TestRtfReader::fontTableForms_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("family");
    QTest::newRow("entries as groups")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fnil\fcharset0 Calibri;}{\f1\fswiss Verdana;}}\f1 x})")
        << QStringLiteral("Verdana");
    QTest::newRow("entries without groups")
        << QByteArray(
               R"({\rtf1\ansi{\fonttbl\f0\fswiss\fcharset0 Helvetica;\f1\fnil\fcharset0 Menlo-Regular;})"
               R"(\f1 x})")
        << QStringLiteral("Menlo-Regular");
    QTest::newRow("panose and alternative name skipped")
        << QByteArray(R"({\rtf1{\fonttbl{\f2\froman\fprq2{\*\panose 02020603050405020304}Times New Roman)"
                      R"({\*\falt Times};}}\f2 x})")
        << QStringLiteral("Times New Roman");
    QTest::newRow("name without semicolon")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 Georgia}}\f0 x})") << QStringLiteral("Georgia");
    QTest::newRow("name in the font's code page")
        << QByteArray(R"({\rtf1{\fonttbl{\f1\fcharset128 \'82\'6c\'82\'72 \'96\'be\'92\'a9;}}\f1 x})")
        << QStringLiteral("ＭＳ 明朝");
    QTest::newRow("name with escaped brace")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 A\{B;}}\f0 x})") << QStringLiteral("A{B");
    QTest::newRow("escaped semicolon and controls are not part of a name")
        << QByteArray(R"({\rtf1{\fonttbl{\f0 A\'3bB\'09C\u0?\u8233?D;}}\f0 x})") << QStringLiteral("ABCD");
    QTest::newRow("deff names a later entry")
        << QByteArray(R"({\rtf1\deff1{\fonttbl{\f0 First;}{\f1 Second;}}x})") << QStringLiteral("Second");
    QTest::newRow("plain goes back to deff")
        << QByteArray(R"({\rtf1\deff1{\fonttbl{\f0 First;}{\f1 Second;}}\f0\plain x})")
        << QStringLiteral("Second");
}

void TestRtfReader::fontTableForms()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, family);
    QTextDocument document;
    QVERIFY(readRtf(rtf, &document));
    QCOMPARE(paragraphs(document), QStringList{"x"});
    QCOMPARE(formatOf(document, QStringLiteral("x")).fontFamilies().toStringList(), QStringList{family});
}

void TestRtfReader::withoutDefaultFontTheFamilyIsLeftToTheDocument()
{
    QTextDocument document;
    QVERIFY(readRtf(R"({\rtf1{\fonttbl{\f0 Arial;}} x})", &document));
    QVERIFY(!formatOf(document, QStringLiteral("x")).hasProperty(QTextFormat::FontFamilies));
}

void TestRtfReader::emptyParagraphKeepsItsCharacterFormat()
{
    QTextDocument document;
    QVERIFY(readRtf(R"({\rtf1\fs48\par\fs20\par\fs30 x})", &document));
    QCOMPARE(paragraphs(document), (QStringList{"", "", "x"}));
    QCOMPARE(document.begin().charFormat().fontPointSize(), 24.0);
    QCOMPARE(document.begin().next().charFormat().fontPointSize(), 10.0);
}

void TestRtfReader::alignment_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<int>>("expected");
    const int left = Qt::AlignLeft;
    const int right = Qt::AlignRight;
    const int centre = Qt::AlignHCenter;
    const int justify = Qt::AlignJustify;
    QTest::newRow("each kind") << QByteArray(
                                      R"({\rtf1\pard\qc a\par\pard\qr b\par\pard\qj c\par\pard\ql d\par})")
                               << QList<int>{centre, right, justify, left};
    QTest::newRow("default is left") << QByteArray(R"({\rtf1 a})") << QList<int>{left};
    QTest::newRow("stays until pard")
        << QByteArray(R"({\rtf1\qc a\par b\par\pard c\par})") << QList<int>{centre, centre, left};
    QTest::newRow("distributed is justified") << QByteArray(R"({\rtf1\qd a})") << QList<int>{justify};
    QTest::newRow("the state at the mark counts")
        << QByteArray(R"({\rtf1 a\qr\par b})") << QList<int>{right, right};
    QTest::newRow("group-scoped paragraph")
        << QByteArray(R"({\rtf1{\pard\qc a\par}b})") << QList<int>{centre, left};
    QTest::newRow("last paragraph without a mark")
        << QByteArray(R"({\rtf1 a\par\pard\qr b})") << QList<int>{left, right};
    QTest::newRow("unclosed document keeps the last state")
        << QByteArray(R"({\rtf1{\qc a)") << QList<int>{centre};
}

void TestRtfReader::alignment()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<int>, expected);
    QTextDocument document;
    QVERIFY(readRtf(rtf, &document));
    QList<int> actual;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        actual << int(block.blockFormat().alignment());
    QCOMPARE(actual, expected);
}

void TestRtfReader::listItems_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<int>>("expected"); // list style of each paragraph
    const int none = QTextListFormat::ListStyleUndefined;
    const int bullet = QTextListFormat::ListDisc;
    const int decimal = QTextListFormat::ListDecimal;

    QTest::newRow("rich-edit bullets")
        << QByteArray(R"({\rtf1\ansi\ansicpg1252\deff0\nouicompat{\fonttbl{\f0\fnil\fcharset0 Calibri;})"
                      R"({\f1\fnil\fcharset2 Symbol;}}{\*\generator Msftedit 5.41.21.2510;}\viewkind4\uc1 )"
                      "\r\n"
                      R"(\pard\sa200\sl276\slmult1\f0\fs22\lang9 intro\par)"
                      "\r\n"
                      R"(\pard{\pntext\f1\'B7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'B7}}\fi-360\li720)"
                      R"(\sa200\sl276\slmult1 one\par)"
                      "\r\n"
                      R"({\pntext\f1\'B7\tab}two\par)"
                      "\r\n"
                      R"(\pard\sa200\sl276\slmult1 after\par)"
                      "\r\n}\r\n")
        << QList<int>{none, bullet, bullet, none};
    QTest::newRow("pn numbering kinds")
        << QByteArray(R"({\rtf1{\*\pn\pnlvlbody\pnf0\pnindent0\pnstart1\pndec{\pntxta.}}a\par)"
                      R"(\pard{\*\pn\pnlvlbody\pnucltr}b\par\pard{\*\pn\pnlvlbody\pnlcltr}c\par)"
                      R"(\pard{\*\pn\pnucrm\pnlvlbody}d\par\pard{\*\pn\pnlvlbody\pnlcrm}e\par)"
                      R"(\pard{\*\pn\pnlvlcont}f\par})")
        << QList<int>{decimal,
                      QTextListFormat::ListUpperAlpha,
                      QTextListFormat::ListLowerAlpha,
                      QTextListFormat::ListUpperRoman,
                      QTextListFormat::ListLowerRoman,
                      none};
    QTest::newRow("pn without star") << QByteArray(R"({\rtf1{\pn\pnlvlblt{\pntxtb\'B7}}a})")
                                     << QList<int>{bullet};
    QTest::newRow("list tables")
        << QByteArray(
               R"({\rtf1{\fonttbl{\f0 A;}{\f1\fcharset2 Symbol;}})"
               R"({\*\listtable{\list\listtemplateid7{\listlevel\levelnfc23\levelstartat1)"
               R"({\leveltext\'01\u-3913 ?;}{\levelnumbers;}\f1}{\listlevel\levelnfc0{\leveltext\'02\'01.;})"
               R"({\levelnumbers\'01;}}{\listname ;}\listid100})"
               R"({\list{\listlevel\levelnfcn0\levelnfc0{\leveltext\'02\'00.;}}\listid200})"
               R"({\list{\listlevel\levelnfc255{\leveltext\'00;}}\listid300}})"
               R"({\*\listoverridetable{\listoverride\listid100\listoverridecount0\ls1})"
               R"({\listoverride\listid200\listoverridecount0\ls2}{\listoverride\listid300\ls3}})"
               R"(\pard\ls1{\listtext\'b7\tab}a\par\pard\ls1\ilvl1{\listtext 1.\tab}b\par)"
               R"(\pard\ls2{\listtext 1.\tab}c\par\pard\ls3 d\par\pard\ls1\ilvl5 e\par\pard f\par})")
        << QList<int>{bullet, decimal, decimal, none, bullet, none};
    QTest::newRow("ls without tables is a bullet")
        << QByteArray(R"({\rtf1\pard\ls4 a\par\pard b\par})") << QList<int>{bullet, none};
    QTest::newRow("ls wins over pn") << QByteArray(
                                            R"({\rtf1{\*\listtable{\list{\listlevel\levelnfc0}\listid5}})"
                                            R"({\*\listoverridetable{\listoverride\listid5\ls1}})"
                                            R"(\pard{\*\pn\pnlvlblt}\ls1 a\par})")
                                     << QList<int>{decimal};
    QTest::newRow("pard ends the items")
        << QByteArray(R"({\rtf1{\*\pn\pnlvlblt}a\par b\par\pard c\par})") << QList<int>{bullet, bullet, none};
}

void TestRtfReader::listItems()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<int>, expected);
    QTextDocument document;
    QVERIFY(readRtf(rtf, &document));
    QList<int> actual;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        actual << int(listStyleOf(block));
    QCOMPARE(actual, expected);
}

void TestRtfReader::neighbouringItemsShareOneList()
{
    QTextDocument document;
    QVERIFY(readRtf(R"({\rtf1{\*\pn\pnlvlblt}a\par b\par\pard c\par{\*\pn\pnlvlblt}d\par)"
                    R"({\*\pn\pnlvlbody\pndec}e\par})",
                    &document));
    const QTextBlock a = document.findBlockByNumber(0);
    const QTextBlock b = document.findBlockByNumber(1);
    const QTextBlock d = document.findBlockByNumber(3);
    const QTextBlock e = document.findBlockByNumber(4);
    QVERIFY(a.textList());
    QCOMPARE(b.textList(), a.textList());
    QCOMPARE(a.textList()->count(), 2);
    QVERIFY(d.textList() && d.textList() != a.textList());
    QVERIFY(e.textList() && e.textList() != d.textList());
    QCOMPARE(listStyleOf(e), QTextListFormat::ListDecimal);
}

void TestRtfReader::readingIsNotUndoable()
{
    QTextDocument document(QStringLiteral("old"));
    QVERIFY(document.isUndoRedoEnabled());
    QVERIFY(readRtf(R"({\rtf1 new})", &document));
    QVERIFY(document.isUndoRedoEnabled());
    QVERIFY(!document.isUndoAvailable());
    document.undo();
    QCOMPARE(document.toPlainText(), QStringLiteral("new"));
}

void TestRtfReader::damagedInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("only the start") << QByteArray(R"({\rtf)") << QStringList{""};
    QTest::newRow("cut off in the text") << QByteArray(R"({\rtf1 Hel)") << QStringList{"Hel"};
    QTest::newRow("cut off in the font table") << QByteArray(R"({\rtf1{\fonttbl{\f0 Ari)") << QStringList{""};
    QTest::newRow("missing closing braces") << QByteArray(R"({\rtf1 {\b a {\i b)") << QStringList{"a b"};
    QTest::newRow("extra closing brace ends the document")
        << QByteArray(R"({\rtf1 a}}b)") << QStringList{"a"};
    QTest::newRow("extra closing brace inside") << QByteArray(R"({\rtf1{\b a}}}b})") << QStringList{"a"};
    QTest::newRow("bad hex escape reads on") << QByteArray(R"({\rtf1 a\'zzb})") << QStringList{"azzb"};
    QTest::newRow("half a hex escape") << QByteArray(R"({\rtf1 a\'4)") << QStringList{"a4"};
    QTest::newRow("hex escape at the end") << QByteArray(R"({\rtf1 a\')") << QStringList{"a"};
    QTest::newRow("backslash at the end") << QByteArray(R"({\rtf1 a\)") << QStringList{"a"};
    QTest::newRow("u at the end") << QByteArray(R"({\rtf1 a\u)") << QStringList{"a"};
    QTest::newRow("huge u") << QByteArray(R"({\rtf1\u1099511627776?a\u-1099511627776?b})")
                            << QStringList{"\uFFFFa\u8000b"};
    QTest::newRow("huge uc") << QByteArray(R"({\rtf1\uc1099511627776\u233 abcdefghijklmnopqrstuvwxyz})")
                             << QStringList{"éqrstuvwxyz"};
    QTest::newRow("huge bin") << QByteArray(R"({\rtf1 a\bin1099511627776 xyz})") << QStringList{"a"};
    QTest::newRow("negative bin") << QByteArray(R"({\rtf1 a\bin-5 xyz})") << QStringList{"axyz"};
    QTest::newRow("huge numbers everywhere")
        << QByteArray(
               R"({\rtf1\ansicpg1099511627776\deff-1099511627776{\fonttbl{\f1099511627776)"
               R"(\fcharset1099511627776\cpg-99999999999 X;}}{\colortbl;\red1099511627776\green-7\blue1;})"
               R"(\ls1099511627776\ilvl1099511627776\f1099511627776\cf1099511627776 \'e9})")
        << QStringList{"é"};
    QTest::newRow("long control word")
        << QByteArray("{\\rtf1 a\\" + QByteArray(100000, 'x') + " b}") << QStringList{"ab"};
    QTest::newRow("long number") << QByteArray("{\\rtf1 a\\fs" + QByteArray(100000, '9') + " b}")
                                 << QStringList{"ab"};
    QTest::newRow("nul bytes dropped") << QByteArray("{\\rtf1 a\0b}", 11) << QStringList{"ab"};
    QTest::newRow("group opened after the end") << QByteArray(R"({\rtf1 a}{\rtf1 b})") << QStringList{"a"};
}

void TestRtfReader::damagedInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, expected);
    QCOMPARE(read(rtf), expected);
}

void TestRtfReader::deepNestingIsReadWithoutRecursion()
{
    const int depth = 100000;
    const QByteArray deep = R"({\rtf1 )" + QByteArray(depth, '{') + R"(\b deep)" + QByteArray(depth, '}') +
                            " after" + R"(\par end})";
    QCOMPARE(read(deep), (QStringList{"deep after", "end"}));
    // Never closed: the document ends with the data.
    QCOMPARE(read(R"({\rtf1 )" + QByteArray(depth, '{') + "x"), QStringList{"x"});
    // A skipped destination deep inside stays skipped for all its depth.
    QCOMPARE(read(R"({\rtf1 a{\*\x )" + QByteArray(depth, '{') + "hidden" + QByteArray(depth, '}') + "}b}"),
             QStringList{"ab"});
}

void TestRtfReader::randomBytesAfterTheHeader()
{
    // Mostly RTF's own special bytes, so that the reader sees many kinds of damage.
    const QByteArray alphabet = R"({}\\\'*ubfsclpardqtxin019-; )"
                                "\x80\xff\r\n";
    QRandomGenerator random(4711);
    for (int round = 0; round < 300; ++round) {
        QByteArray data = R"({\rtf1\ansicpg932 )";
        const int size = int(random.bounded(1, 2000));
        for (int i = 0; i < size; ++i)
            data += alphabet.at(random.bounded(alphabet.size()));
        QTextDocument document;
        QVERIFY(readRtf(data, &document));
        QTextDocument again;
        QVERIFY(readRtf(writeRtf(&document), &again));
        QCOMPARE(paragraphs(again), paragraphs(document));
    }
}

void TestRtfReader::oneMegabyteReadsInLinearTime()
{
    // A format change every few words, a paragraph every few lines: about 1 MB.
    QByteArray rtf =
        R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}{\f1 Courier New;}}{\colortbl;\red200\green0\blue0;})";
    const char *changes[] = {R"(\b )",      R"(\b0 )",      R"(\i\cf1 )",
                             R"(\i0\cf0 )", R"(\f1\fs30 )", R"(\f0\fs24 )"};
    for (int i = 0; rtf.size() < 1000000; ++i) {
        rtf += changes[i % 6];
        rtf += "some words of script caf\\'e9 ";
        if (i % 20 == 19)
            rtf += "\\par\r\n";
    }
    rtf += "}";
    QTextDocument document;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(readRtf(rtf, &document));
    const qint64 readMs = timer.elapsed();
    timer.restart();
    const QByteArray written = writeRtf(&document);
    const qint64 writeMs = timer.elapsed();
    qInfo("read %lld bytes in %lld ms, wrote %lld bytes in %lld ms", qlonglong(rtf.size()), readMs,
          qlonglong(written.size()), writeMs);
    QVERIFY(document.blockCount() > 1000);
    // Generous for debug and sanitizer builds; a quadratic reader takes minutes here.
    QVERIFY2(readMs < 10000, qPrintable(QString::number(readMs)));
    QVERIFY2(writeMs < 10000, qPrintable(QString::number(writeMs)));
}

VANTELL_CORE_TEST_MAIN(TestRtfReader)
#include "test_rtfreader.moc"

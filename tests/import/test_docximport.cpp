#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include "core/import/documentimport.h"
#include "core/render/scriptloader.h"
#include "testsupport/documentprobe.h"
#include "testsupport/testmain.h"
#include "testsupport/ziparchive.h"

namespace {

const QByteArray wordNamespaces =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\"";

QByteArray wordpart(const char *root, const QByteArray &inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:" + QByteArray(root) + ' ' +
           wordNamespaces + '>' + inner + "</w:" + root + '>';
}

QByteArray relationships(const QByteArray &inner)
{
    return "<?xml version=\"1.0\"?><Relationships "
           "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
           inner + "</Relationships>";
}

const QByteArray relationType = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// A .docx as Word lays it out: the body, and the styles and numbering when given.
ZipParts docxparts(const QByteArray &body, const QByteArray &styles = {}, const QByteArray &numbering = {},
                   const QString &documentPart = QStringLiteral("word/document.xml"))
{
    ZipParts parts;
    parts.append({QStringLiteral("[Content_Types].xml"),
                  "<?xml version=\"1.0\"?><Types "
                  "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"});
    parts.append({QStringLiteral("_rels/.rels"),
                  relationships("<Relationship Id=\"rId1\" Type=\"" + relationType +
                                "officeDocument\" Target=\"" + documentPart.toUtf8() + "\"/>")});
    parts.append({documentPart, wordpart("document", "<w:body>" + body + "<w:sectPr/></w:body>")});
    const QString folder = documentPart.section(u'/', 0, -2);
    QByteArray related;
    if (!styles.isEmpty()) {
        related += "<Relationship Id=\"rId2\" Type=\"" + relationType + "styles\" Target=\"styles.xml\"/>";
        parts.append({folder + QStringLiteral("/styles.xml"), wordpart("styles", styles)});
    }
    if (!numbering.isEmpty()) {
        related +=
            "<Relationship Id=\"rId3\" Type=\"" + relationType + "numbering\" Target=\"numbering.xml\"/>";
        parts.append({folder + QStringLiteral("/numbering.xml"), wordpart("numbering", numbering)});
    }
    parts.append(
        {folder + QStringLiteral("/_rels/") + documentPart.section(u'/', -1) + QStringLiteral(".rels"),
         relationships(related)});
    return parts;
}

QByteArray paragraph(const QByteArray &text, const QByteArray &properties = {})
{
    return "<w:p>" + (properties.isEmpty() ? QByteArray() : "<w:pPr>" + properties + "</w:pPr>") +
           "<w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>";
}

QByteArray listitem(const QByteArray &text, const char *numId, const char *level)
{
    return paragraph(text, "<w:numPr><w:ilvl w:val=\"" + QByteArray(level) + "\"/><w:numId w:val=\"" +
                               QByteArray(numId) + "\"/></w:numPr>");
}

// A level of a numbering as LibreOffice writes it: its start, format, mark and the mark's font.
QByteArray level(int level, const char *format, const QByteArray &text, const QByteArray &extra = {})
{
    return "<w:lvl w:ilvl=\"" + QByteArray::number(level) + "\"><w:start w:val=\"1\"/><w:numFmt w:val=\"" +
           format + "\"/><w:suff w:val=\"nothing\"/><w:lvlText w:val=\"" + text +
           "\"/><w:lvlJc w:val=\"start\"/><w:pPr><w:ind w:start=\"0\" w:hanging=\"0\"/></w:pPr>" + extra +
           "</w:lvl>";
}

QByteArray run(const QByteArray &text, const QByteArray &properties = {})
{
    return "<w:r>" + (properties.isEmpty() ? QByteArray() : "<w:rPr>" + properties + "</w:rPr>") +
           "<w:t xml:space=\"preserve\">" + text + "</w:t></w:r>";
}

} // namespace

class TestDocxImport : public QObject {
    Q_OBJECT
private slots:
    void paragraphsBreaksAndTabs();
    void directRunFormats();
    void stylesResolveInOrder();
    void paragraphAlignment();
    void bulletedAndNumberedLists();
    void headingsAreBoldAndLarger();
    void tablesReadCellByCell();
    void linksAndFieldsShowTheirText();
    void whatIsNotReadAloudIsLeftOut();
    void mainPartFoundThroughRelationships();
    void listItemsShowTheirMarks();
    void numberingCountsAsWordDoes();
    void textBoxesFollowTheirParagraph();
    void dropCapJoinsItsWord();
    void symbolFontsShowWhatTheyMean();

private:
    QTextDocument *imported(const ZipParts &parts);

    QTemporaryDir m_dir;
    QTextDocument m_document;
    int m_files = 0;
};

QTextDocument *TestDocxImport::imported(const ZipParts &parts)
{
    const QString path = m_dir.filePath(QStringLiteral("script%1.docx").arg(++m_files));
    writezip(path, parts);
    importdocument(path, &m_document);
    return &m_document;
}

void TestDocxImport::paragraphsBreaksAndTabs()
{
    const QTextDocument *document =
        imported(docxparts("<w:p><w:r><w:t>one</w:t><w:tab/><w:t>two</w:t><w:br/><w:t>three</w:t><w:cr/"
                           "><w:t>four</w:t></w:r></w:p>"
                           "<w:p/>" +
                           paragraph("  spaced  out  ") +
                           "<w:p><w:r><w:t>non</w:t><w:noBreakHyphen/><w:t>stop</w:t></w:r></w:p>"));
    const QString lineBreak(QChar::LineSeparator);
    QCOMPARE(paragraphtexts(*document),
             (QStringList{"one\ttwo" + lineBreak + "three" + lineBreak + "four", "", "  spaced  out  ",
                          QStringLiteral("non\u2011stop")}));
}

void TestDocxImport::directRunFormats()
{
    const QTextDocument *document = imported(
        docxparts("<w:p>" + run("bold", "<w:b/>") + run("italic", "<w:i/>") +
                  run("under", "<w:u w:val=\"single\"/>") + run("struck", "<w:strike/>") +
                  run("doubly", "<w:dstrike/>") + run("red", "<w:color w:val=\"FF0000\"/>") +
                  run("auto", "<w:color w:val=\"auto\"/>") + run("big", "<w:sz w:val=\"37\"/>") +
                  run("face", "<w:rFonts w:ascii=\"Liberation Serif\" w:hAnsi=\"Other\"/>") +
                  run("plain", "<w:b w:val=\"0\"/><w:i w:val=\"false\"/><w:u w:val=\"none\"/>") + "</w:p>"));
    QCOMPARE(formatof(*document, "bold").fontWeight(), int(QFont::Bold));
    QVERIFY(formatof(*document, "italic").fontItalic());
    QVERIFY(formatof(*document, "under").fontUnderline());
    QVERIFY(formatof(*document, "struck").fontStrikeOut());
    QVERIFY(formatof(*document, "doubly").fontStrikeOut());
    QCOMPARE(formatof(*document, "red").foreground().color(), QColor(255, 0, 0));
    // Automatic colour leaves the text to the page's foreground.
    QCOMPARE(formatof(*document, "auto").foreground().style(), Qt::NoBrush);
    QCOMPARE(formatof(*document, "big").fontPointSize(), 18.5);
    QCOMPARE(formatof(*document, "face").fontFamilies().toStringList(), QStringList{"Liberation Serif"});
    const QTextCharFormat plain = formatof(*document, "plain");
    QCOMPARE(plain.fontWeight(), int(QFont::Normal));
    QVERIFY(!plain.fontItalic());
    QVERIFY(!plain.fontUnderline());
}

void TestDocxImport::stylesResolveInOrder()
{
    const QByteArray styles =
        "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Deja\"/><w:sz w:val=\"22\"/>"
        "<w:color "
        "w:val=\"00FF00\"/></w:rPr></w:rPrDefault><w:pPrDefault><w:pPr/></w:pPrDefault></w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/>"
        "<w:pPr><w:jc w:val=\"center\"/></w:pPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Base\"><w:name w:val=\"Base\"/>"
        "<w:rPr><w:i/><w:color w:val=\"FF0000\"/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Quote\"><w:name w:val=\"Quote\"/><w:basedOn "
        "w:val=\"Base\"/>"
        "<w:rPr><w:sz w:val=\"28\"/></w:rPr></w:style>"
        "<w:style w:type=\"character\" w:styleId=\"Strong\"><w:name w:val=\"Strong\"/>"
        "<w:rPr><w:b/><w:color w:val=\"0000FF\"/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Loop\"><w:basedOn w:val=\"Loop2\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Loop2\"><w:basedOn w:val=\"Loop\"/>"
        "<w:rPr><w:strike/></w:rPr></w:style>";
    const QTextDocument *document = imported(docxparts(
        paragraph("normal") + "<w:p><w:pPr><w:pStyle w:val=\"Quote\"/></w:pPr>" + run("quoted") +
            run("strong", "<w:rStyle w:val=\"Strong\"/>") +
            run("direct", "<w:rStyle w:val=\"Strong\"/><w:color w:val=\"123456\"/><w:i w:val=\"0\"/>") +
            "</w:p>" + paragraph("looped", "<w:pStyle w:val=\"Loop\"/>"),
        styles));
    const QTextCharFormat normal = formatof(*document, "normal");
    QCOMPARE(normal.fontPointSize(), 11.0);
    QCOMPARE(normal.fontFamilies().toStringList(), QStringList{"Deja"});
    QCOMPARE(normal.foreground().color(), QColor(0, 255, 0));
    QCOMPARE(paragraphof(*document, "normal").blockFormat().alignment(), Qt::AlignHCenter);

    const QTextCharFormat quoted = formatof(*document, "quoted");
    QVERIFY(quoted.fontItalic());
    QCOMPARE(quoted.fontPointSize(), 14.0);
    QCOMPARE(quoted.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(quoted.fontFamilies().toStringList(), QStringList{"Deja"});
    // A paragraph naming its style does not take the default paragraph style's alignment.
    QCOMPARE(paragraphof(*document, "quoted").blockFormat().alignment(), Qt::AlignLeft);

    const QTextCharFormat strong = formatof(*document, "strong");
    QCOMPARE(strong.fontWeight(), int(QFont::Bold));
    QVERIFY(strong.fontItalic());
    QCOMPARE(strong.foreground().color(), QColor(0, 0, 255));

    const QTextCharFormat direct = formatof(*document, "direct");
    QCOMPARE(direct.fontWeight(), int(QFont::Bold));
    QVERIFY(!direct.fontItalic());
    QCOMPARE(direct.foreground().color(), QColor(0x12, 0x34, 0x56));

    // Styles based on each other in a circle are read as far as the circle goes.
    QVERIFY(formatof(*document, "looped").fontStrikeOut());
}

void TestDocxImport::paragraphAlignment()
{
    const QTextDocument *document = imported(docxparts(
        paragraph("centred", "<w:jc w:val=\"center\"/>") + paragraph("righted", "<w:jc w:val=\"right\"/>") +
        paragraph("ended", "<w:jc w:val=\"end\"/>") + paragraph("justified", "<w:jc w:val=\"both\"/>") +
        paragraph("lefted", "<w:jc w:val=\"left\"/>")));
    QCOMPARE(paragraphof(*document, "centred").blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(paragraphof(*document, "righted").blockFormat().alignment(), Qt::AlignRight);
    QCOMPARE(paragraphof(*document, "ended").blockFormat().alignment(), Qt::AlignRight);
    QCOMPARE(paragraphof(*document, "justified").blockFormat().alignment(), Qt::AlignJustify);
    QCOMPARE(paragraphof(*document, "lefted").blockFormat().alignment(), Qt::AlignLeft);
}

void TestDocxImport::bulletedAndNumberedLists()
{
    const QByteArray numbering =
        "<w:abstractNum w:abstractNumId=\"10\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"bullet\"/></w:lvl>"
        "<w:lvl w:ilvl=\"1\"><w:numFmt w:val=\"bullet\"/></w:lvl></w:abstractNum>"
        "<w:abstractNum w:abstractNumId=\"20\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"decimal\"/></w:lvl>"
        "<w:lvl w:ilvl=\"1\"><w:numFmt w:val=\"lowerLetter\"/></w:lvl>"
        "<w:lvl w:ilvl=\"2\"><w:numFmt w:val=\"none\"/></w:lvl></w:abstractNum>"
        "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"10\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"20\"/></w:num>";
    const auto item = [](const QByteArray &text, const char *numId, const char *level) {
        return paragraph(text, "<w:numPr><w:ilvl w:val=\"" + QByteArray(level) + "\"/><w:numId w:val=\"" +
                                   QByteArray(numId) + "\"/></w:numPr>");
    };
    const QTextDocument *document =
        imported(docxparts(item("dot", "1", "0") + item("circle", "1", "1") + item("first", "2", "0") +
                               item("sub", "2", "1") + item("second", "2", "0") + item("unmarked", "2", "2") +
                               item("numberless", "0", "0") + item("undefined", "7", "0"),
                           {}, numbering));
    const QTextList *dot = paragraphof(*document, "dot").textList();
    QVERIFY(dot);
    QCOMPARE(dot->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(paragraphof(*document, "circle").textList()->format().style(), QTextListFormat::ListCircle);
    QCOMPARE(paragraphof(*document, "circle").textList()->format().indent(), 2);

    const QTextList *numbered = paragraphof(*document, "first").textList();
    QCOMPARE(numbered->format().style(), QTextListFormat::ListDecimal);
    // The same numbering goes on after a deeper level: the second item is number 2.
    QCOMPARE(paragraphof(*document, "second").textList(), numbered);
    QCOMPARE(numbered->itemNumber(paragraphof(*document, "second")), 1);
    QCOMPARE(paragraphof(*document, "sub").textList()->format().style(), QTextListFormat::ListLowerAlpha);
    QVERIFY(!paragraphof(*document, "unmarked").textList());
    QVERIFY(!paragraphof(*document, "numberless").textList());
    QVERIFY(!paragraphof(*document, "undefined").textList());
}

void TestDocxImport::headingsAreBoldAndLarger()
{
    const QByteArray styles =
        "<w:docDefaults><w:rPrDefault><w:rPr><w:sz w:val=\"24\"/></w:rPr></w:rPrDefault></w:docDefaults>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Heading1\"><w:name w:val=\"heading 1\"/></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Titled\"><w:name w:val=\"Heading 2\"/>"
        "<w:rPr><w:b w:val=\"0\"/><w:sz w:val=\"40\"/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"Outlined\"><w:name w:val=\"Outlined\"/>"
        "<w:pPr><w:outlineLvl w:val=\"1\"/></w:pPr></w:style>";
    const QTextDocument *document =
        imported(docxparts(paragraph("plain") + paragraph("chapter", "<w:pStyle w:val=\"Heading1\"/>") +
                               paragraph("own", "<w:pStyle w:val=\"Titled\"/>") +
                               paragraph("outline", "<w:pStyle w:val=\"Outlined\"/>") +
                               paragraph("direct", "<w:outlineLvl w:val=\"0\"/>"),
                           styles));
    QCOMPARE(formatof(*document, "plain").fontWeight(), int(QFont::Normal));
    const QTextCharFormat chapter = formatof(*document, "chapter");
    QCOMPARE(chapter.fontWeight(), int(QFont::Bold));
    QVERIFY(chapter.fontPointSize() > 12);
    // A heading style's own formatting is what the writer saw.
    QCOMPARE(formatof(*document, "own").fontWeight(), int(QFont::Normal));
    QCOMPARE(formatof(*document, "own").fontPointSize(), 20.0);
    QCOMPARE(formatof(*document, "outline").fontWeight(), int(QFont::Bold));
    QVERIFY(formatof(*document, "outline").fontPointSize() < chapter.fontPointSize());
    QCOMPARE(formatof(*document, "direct").fontPointSize(), chapter.fontPointSize());
}

void TestDocxImport::tablesReadCellByCell()
{
    const auto cell = [](const QByteArray &text) { return "<w:tc><w:tcPr/>" + paragraph(text) + "</w:tc>"; };
    const QTextDocument *document = imported(
        docxparts(paragraph("before") + "<w:tbl><w:tblPr/><w:tblGrid/><w:tr><w:trPr/>" + cell("a1") +
                  cell("b1") + "</w:tr><w:tr>" + cell("a2") + "<w:tc>" + paragraph("b2") + "<w:tbl><w:tr>" +
                  cell("nested") + "</w:tr></w:tbl></w:tc></w:tr></w:tbl>" + paragraph("after")));
    QCOMPARE(paragraphtexts(*document), (QStringList{"before", "a1", "b1", "a2", "b2", "nested", "after"}));
}

void TestDocxImport::linksAndFieldsShowTheirText()
{
    const QTextDocument *document = imported(docxparts(
        "<w:p><w:hyperlink r:id=\"rId9\">" + run("linked", "<w:u/>") + "</w:hyperlink>" +
        "<w:fldSimple w:instr=\" PAGE \">" + run(" 7") + "</w:fldSimple>" +
        "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> DATE \\@ x </w:instrText></w:r>"
        "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText>INNER</w:instrText></w:r>"
        "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" +
        run("inner result") +
        "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>"
        "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" +
        run(" today") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>" + run(" after") + "</w:p>"));
    QCOMPARE(paragraphtexts(*document), QStringList{"linked 7 today after"});
    QVERIFY(formatof(*document, "linked").fontUnderline());
}

void TestDocxImport::whatIsNotReadAloudIsLeftOut()
{
    const QTextDocument *document = imported(docxparts(
        "<w:p><w:commentRangeStart w:id=\"0\"/>" + run("kept") +
        "<w:commentRangeEnd w:id=\"0\"/>"
        "<w:r><w:commentReference w:id=\"0\"/></w:r>"
        "<w:del w:id=\"1\" w:author=\"a\"><w:r><w:delText>deleted</w:delText></w:r></w:del>"
        "<w:ins w:id=\"2\" w:author=\"a\">" +
        run(" inserted") + "</w:ins>" + run(" hidden", "<w:vanish/>") +
        "<w:r><w:footnoteReference w:id=\"1\"/></w:r>"
        "<w:r><w:drawing><wp:inline><wp:docPr id=\"1\" name=\"picture\" descr=\"alt text\"/></wp:inline>"
        "</w:drawing></w:r>"
        "<w:bookmarkStart w:id=\"3\" w:name=\"b\"/>" +
        run(" end") +
        "<w:bookmarkEnd w:id=\"3\"/></w:p>"
        "<w:del w:id=\"4\" w:author=\"a\"><w:p><w:r><w:delText>gone</w:delText></w:r></w:p></w:del>"));
    QCOMPARE(paragraphtexts(*document), QStringList{"kept inserted end"});
}

void TestDocxImport::mainPartFoundThroughRelationships()
{
    const QTextDocument *document =
        imported(docxparts(paragraph("elsewhere", "<w:pStyle w:val=\"Loud\"/>"),
                           "<w:style w:type=\"paragraph\" w:styleId=\"Loud\"><w:rPr><w:b/></w:rPr></w:style>",
                           {}, QStringLiteral("text/main.xml")));
    QCOMPARE(paragraphtexts(*document), QStringList{"elsewhere"});
    QCOMPARE(formatof(*document, "elsewhere").fontWeight(), int(QFont::Bold));
}

void TestDocxImport::listItemsShowTheirMarks()
{
    const QByteArray symbolFont = "<w:rPr><w:rFonts w:ascii=\"Symbol\" w:hAnsi=\"Symbol\"/></w:rPr>";
    const QByteArray numbering =
        "<w:abstractNum w:abstractNumId=\"1\">" + level(0, "decimal", "%1.") +
        level(1, "lowerLetter", "%2)") + level(2, "lowerRoman", "%3.") +
        // A level shows the numbers above it each in its own level's format.
        level(3, "decimal", "%1.%2.%4") + "</w:abstractNum>" + "<w:abstractNum w:abstractNumId=\"2\">" +
        level(0, "upperRoman", "%1.") + "</w:abstractNum>" + "<w:abstractNum w:abstractNumId=\"3\">" +
        level(0, "bullet", "\xef\x82\xb7", symbolFont) +
        level(1, "bullet", "o", "<w:rPr><w:rFonts w:ascii=\"Courier New\"/></w:rPr>") +
        level(2, "bullet", "\xef\x82\xa7", "<w:rPr><w:rFonts w:ascii=\"Wingdings\"/></w:rPr>") +
        level(3, "bullet", "\xef\x83\xbf", "<w:rPr><w:rFonts w:ascii=\"Wingdings\"/></w:rPr>") +
        "</w:abstractNum>"
        "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"1\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"2\"/></w:num>"
        "<w:num w:numId=\"3\"><w:abstractNumId w:val=\"3\"/></w:num>";
    const QTextDocument *document = imported(docxparts(
        paragraph("Before") + listitem("one", "1", "0") + listitem("two", "1", "0") +
            listitem("sub a", "1", "1") + listitem("sub b", "1", "1") + listitem("deep", "1", "2") +
            listitem("legal", "1", "3") + listitem("three", "1", "0") + listitem("sub again", "1", "1") +
            listitem("Roman", "2", "0") + listitem("Roman two", "2", "0") + listitem("dot", "3", "0") +
            listitem("ring", "3", "1") + listitem("square", "3", "2") + listitem("logo", "3", "3") +
            paragraph("After"),
        {}, numbering));
    QCOMPARE(listmarks(*document), (QStringList{"", "1.", "2.", "a)", "b)", "i.", "2.b.1", "3.", "a)", "I.",
                                                "II.", "\u2022", "o", "\u25AA", "\u2022", ""}));
    // The text of the script, as --print-text writes it and the page shows it.
    const QStringList lines = plainlines(document);
    QCOMPARE(lines.mid(0, 4), (QStringList{"Before", "1. one", "2. two", "a) sub a"}));
    QCOMPARE(lines.at(11), QStringLiteral("\u2022 dot"));
    QCOMPARE(lines.last(), QStringLiteral("After"));
    // The editor marks the items as the document does.
    const QTextList *lettered = paragraphof(*document, "sub a").textList();
    QCOMPARE(lettered->format().numberSuffix(), QStringLiteral(")"));
    QCOMPARE(lettered->itemText(paragraphof(*document, "sub b")), QStringLiteral("b)"));
}

void TestDocxImport::numberingCountsAsWordDoes()
{
    const QByteArray numbering =
        "<w:abstractNum w:abstractNumId=\"5\"><w:lvl w:ilvl=\"0\"><w:start w:val=\"4\"/>"
        "<w:numFmt w:val=\"decimal\"/><w:lvlText w:val=\"%1.\"/></w:lvl></w:abstractNum>"
        "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"5\"/></w:num>"
        // Another instance of the same numbering goes on counting...
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"5\"/></w:num>"
        // ...unless it starts anew.
        "<w:num w:numId=\"3\"><w:abstractNumId w:val=\"5\"/>"
        "<w:lvlOverride w:ilvl=\"0\"><w:startOverride w:val=\"1\"/></w:lvlOverride></w:num>"
        // A style's numbering, for the headings that take it.
        "<w:abstractNum w:abstractNumId=\"6\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"upperLetter\"/>"
        "<w:lvlText w:val=\"Part %1:\"/></w:lvl></w:abstractNum>"
        "<w:num w:numId=\"4\"><w:abstractNumId w:val=\"6\"/></w:num>";
    const QByteArray styles =
        "<w:style w:type=\"paragraph\" w:styleId=\"Heading1\"><w:name w:val=\"heading 1\"/>"
        "<w:pPr><w:numPr><w:numId w:val=\"4\"/></w:numPr></w:pPr></w:style>";
    const QTextDocument *document = imported(
        docxparts(listitem("four", "1", "0") + paragraph("between") + listitem("five", "2", "0") +
                      listitem("one", "3", "0") + listitem("six", "1", "0") + listitem("two", "3", "0") +
                      paragraph("Chapter", "<w:pStyle w:val=\"Heading1\"/>") +
                      paragraph("Unnumbered",
                                "<w:pStyle w:val=\"Heading1\"/><w:numPr><w:numId w:val=\"0\"/></w:numPr>"),
                  styles, numbering));
    QCOMPARE(listmarks(*document), (QStringList{"4.", "", "5.", "1.", "6.", "2.", "Part A:", ""}));
}

void TestDocxImport::textBoxesFollowTheirParagraph()
{
    const QByteArray textBox =
        "<w:txbxContent>" + paragraph("boxed one") + paragraph("boxed two") + "</w:txbxContent>";
    // Word writes a text box twice: as a drawing, and as a VML shape for older readers.
    const QByteArray alternative =
        "<w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><wp:anchor><wp:docPr id=\"1\" "
        "name=\"Box\"/><a:graphic xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
        "<a:graphicData><wps:wsp "
        "xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\">"
        "<wps:txbx>" +
        textBox +
        "</wps:txbx></wps:wsp></a:graphicData></a:graphic></wp:anchor></w:drawing></mc:Choice>"
        "<mc:Fallback><w:pict><v:shape xmlns:v=\"urn:schemas-microsoft-com:vml\"><v:textbox>" +
        textBox + "</v:textbox></v:shape></w:pict></mc:Fallback></mc:AlternateContent></w:r>";
    const QByteArray vmlOnly = "<w:r><w:pict><v:shape xmlns:v=\"urn:schemas-microsoft-com:vml\"><v:textbox>"
                               "<w:txbxContent>" +
                               paragraph("old box") + "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>";
    const QByteArray field = "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> SEQ Figure "
                             "</w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" +
                             run("1") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
    const QTextDocument *document =
        imported(docxparts("<w:p>" + run("Anchor ") + alternative + run("goes on") + "</w:p>" + "<w:p>" +
                           vmlOnly + "</w:p>" + "<w:p><w:pPr><w:pStyle w:val=\"Caption\"/></w:pPr>" +
                           run("Figure ") + field + run(": A caption") + "</w:p>" + paragraph("After")));
    QCOMPARE(paragraphtexts(*document), (QStringList{"Anchor goes on", "boxed one", "boxed two", "",
                                                     "old box", "Figure 1: A caption", "After"}));
}

void TestDocxImport::dropCapJoinsItsWord()
{
    const QTextDocument *document = imported(
        docxparts("<w:p><w:pPr><w:framePr w:dropCap=\"drop\" w:lines=\"3\" w:wrap=\"around\"/></w:pPr>" +
                  run("D", "<w:b/><w:sz w:val=\"111\"/>") + "</w:p>" + "<w:p>" +
                  run("rop cap.", "<w:sz w:val=\"24\"/>") + "</w:p>" + paragraph("Next") +
                  "<w:p><w:pPr><w:framePr w:dropCap=\"none\"/></w:pPr>" + run("Framed") + "</w:p>" +
                  "<w:p><w:pPr><w:framePr w:dropCap=\"margin\"/></w:pPr>" + run("L") + "</w:p>"));
    QCOMPARE(paragraphtexts(*document), (QStringList{"Drop cap.", "Next", "Framed", "L"}));
    // The letter keeps its look, but not a size that would stand out of its line.
    const QTextCharFormat letter = formatof(*document, "D");
    QCOMPARE(letter.fontWeight(), int(QFont::Bold));
    QCOMPARE(letter.fontPointSize(), 12.0);
}

void TestDocxImport::symbolFontsShowWhatTheyMean()
{
    const auto sym = [](const char *font, const char *code) {
        return "<w:r><w:sym w:font=\"" + QByteArray(font) + "\" w:char=\"" + code + "\"/></w:r>";
    };
    const QTextDocument *document = imported(
        docxparts("<w:p>" + run("smile ") + sym("Wingdings", "F04A") + run(" alpha ") +
                  sym("Symbol", "F061") + run(" old ") + sym("Symbol", "0062") + run(" logo ") +
                  sym("Wingdings", "F0FF") + run(" web ") + sym("Webdings", "F021") + run(" accent ") +
                  sym("Times New Roman", "00E9") + run(" private ") + sym("Arial", "F04A") + run(" typed ") +
                  run("J", "<w:rFonts w:ascii=\"Wingdings\" w:hAnsi=\"Wingdings\"/>") +
                  "<w:r><w:rPr><w:rFonts w:ascii=\"Wingdings\"/></w:rPr><w:sym w:font=\"Wingdings\" "
                  "w:char=\"F0FC\"/></w:r>" +
                  "</w:p>"));
    QCOMPARE(
        paragraphtexts(*document),
        QStringList{QStringLiteral("smile \u263A alpha \u03B1 old \u03B2 logo  web  accent \u00E9 private  "
                                   "typed \u263A\u2713")});
    // The signs are shown in the page's face: the symbol font would draw them as something else.
    QVERIFY(formatof(*document, QStringLiteral("\u2713")).fontFamilies().toStringList().isEmpty());
    QVERIFY(formatof(*document, QStringLiteral("\u03B2")).fontFamilies().toStringList().isEmpty());
}

VANTELL_CORE_TEST_MAIN(TestDocxImport)
#include "test_docximport.moc"

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

const QByteArray odfNamespaces = "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                                 "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
                                 "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
                                 "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                                 "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
                                 "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
                                 "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
                                 "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"";

// An .odt as LibreOffice lays it out: content.xml with its automatic styles and body text, and
// styles.xml with the common styles when given.
ZipParts odtparts(const QByteArray &text, const QByteArray &automaticStyles = {},
                  const QByteArray &styles = {})
{
    ZipParts parts;
    parts.append({QStringLiteral("mimetype"), "application/vnd.oasis.opendocument.text"});
    parts.append({QStringLiteral("content.xml"),
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<office:document-content " + odfNamespaces +
                      "><office:font-face-decls><style:font-face style:name=\"Serif Face\" "
                      "svg:font-family=\"'Liberation Serif'\"/></office:font-face-decls>"
                      "<office:automatic-styles>" +
                      automaticStyles + "</office:automatic-styles><office:body><office:text>" + text +
                      "</office:text></office:body></office:document-content>"});
    if (!styles.isEmpty())
        parts.append({QStringLiteral("styles.xml"), "<?xml version=\"1.0\"?><office:document-styles " +
                                                        odfNamespaces + "><office:styles>" + styles +
                                                        "</office:styles></office:document-styles>"});
    return parts;
}

QByteArray textstyle(const char *name, const QByteArray &properties, const char *family = "text")
{
    return "<style:style style:name=\"" + QByteArray(name) + "\" style:family=\"" + family +
           "\"><style:text-properties " + properties + "/></style:style>";
}

QByteArray item(const QByteArray &text, const QByteArray &inner = {})
{
    return "<text:list-item><text:p>" + text + "</text:p>" + inner + "</text:list-item>";
}

QByteArray list(const QByteArray &items, const QByteArray &attributes = {})
{
    return "<text:list " + attributes + ">" + items + "</text:list>";
}

} // namespace

class TestOdtImport : public QObject {
    Q_OBJECT
private slots:
    void paragraphsBlanksBreaksAndTabs();
    void spanFormats();
    void stylesResolveThroughParents();
    void paragraphAlignment();
    void nestedListsAndListHeaders();
    void headingsAreBoldAndLarger();
    void tablesReadCellByCell();
    void linksAndFieldsShowTheirText();
    void whatIsNotReadAloudIsLeftOut();
    void listItemsShowTheirMarks();
    void numbersGoOnAndStartAnew();
    void framesAndCaptionsAreRead();
    void symbolFontsShowWhatTheyMean();

private:
    QTextDocument *imported(const ZipParts &parts);

    QTemporaryDir m_dir;
    QTextDocument m_document;
    int m_files = 0;
};

QTextDocument *TestOdtImport::imported(const ZipParts &parts)
{
    const QString path = m_dir.filePath(QStringLiteral("script%1.odt").arg(++m_files));
    writezip(path, parts);
    importdocument(path, &m_document);
    return &m_document;
}

void TestOdtImport::paragraphsBlanksBreaksAndTabs()
{
    const QTextDocument *document = imported(
        odtparts("<text:p>one<text:tab/>two<text:line-break/>three</text:p><text:p/>"
                 "<text:p>\n   collapsed \t\n  blanks <text:span>across</text:span>  spans\n  </text:p>"
                 "<text:p>kept<text:s text:c=\"3\"/>spaces<text:s/>here</text:p>"
                 "<text:p><text:soft-page-break/>  after break</text:p>"));
    QCOMPARE(paragraphtexts(*document),
             (QStringList{"one\ttwo" + QString(QChar::LineSeparator) + "three", "",
                          "collapsed blanks across spans", "kept   spaces here", "after break"}));
}

void TestOdtImport::spanFormats()
{
    const QByteArray styles =
        textstyle("B", "fo:font-weight=\"bold\"") + textstyle("W", "fo:font-weight=\"700\"") +
        textstyle("I", "fo:font-style=\"italic\"") + textstyle("U", "style:text-underline-style=\"solid\"") +
        textstyle("S", "style:text-line-through-style=\"solid\"") + textstyle("C", "fo:color=\"#ff0000\"") +
        textstyle("A", "style:use-window-font-color=\"true\" fo:color=\"#000000\"") +
        textstyle("Z", "fo:font-size=\"18pt\"") + textstyle("F", "style:font-name=\"Serif Face\"") +
        textstyle("Ff", "fo:font-family=\"'Quoted Face'\"") +
        textstyle("N", "fo:font-weight=\"normal\" style:text-underline-style=\"none\"");
    const QTextDocument *document = imported(odtparts(
        "<text:p><text:span text:style-name=\"B\">bold <text:span "
        "text:style-name=\"I\">bolditalic</text:span></text:span>"
        "<text:span text:style-name=\"W\">heavy</text:span><text:span text:style-name=\"U\">under</text:span>"
        "<text:span text:style-name=\"S\">struck</text:span><text:span text:style-name=\"C\">red</text:span>"
        "<text:span text:style-name=\"A\">auto</text:span><text:span text:style-name=\"Z\">big</text:span>"
        "<text:span text:style-name=\"F\">face</text:span><text:span "
        "text:style-name=\"Ff\">quoted</text:span>"
        "<text:span text:style-name=\"N\">normal</text:span></text:p>",
        styles));
    QCOMPARE(formatof(*document, "bold").fontWeight(), int(QFont::Bold));
    const QTextCharFormat both = formatof(*document, "bolditalic");
    QCOMPARE(both.fontWeight(), int(QFont::Bold));
    QVERIFY(both.fontItalic());
    QCOMPARE(formatof(*document, "heavy").fontWeight(), int(QFont::Bold));
    QVERIFY(formatof(*document, "under").fontUnderline());
    QVERIFY(formatof(*document, "struck").fontStrikeOut());
    QCOMPARE(formatof(*document, "red").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatof(*document, "auto").foreground().style(), Qt::NoBrush);
    QCOMPARE(formatof(*document, "big").fontPointSize(), 18.0);
    QCOMPARE(formatof(*document, "face").fontFamilies().toStringList(), QStringList{"Liberation Serif"});
    QCOMPARE(formatof(*document, "quoted").fontFamilies().toStringList(), QStringList{"Quoted Face"});
    QCOMPARE(formatof(*document, "normal").fontWeight(), int(QFont::Normal));
    QVERIFY(!formatof(*document, "normal").fontUnderline());
}

void TestOdtImport::stylesResolveThroughParents()
{
    const QByteArray common =
        "<style:default-style style:family=\"paragraph\"><style:text-properties fo:font-size=\"11pt\" "
        "style:font-name=\"Serif Face\"/></style:default-style>"
        "<style:style style:name=\"Standard\" style:family=\"paragraph\"/>"
        "<style:style style:name=\"Quote\" style:family=\"paragraph\" style:parent-style-name=\"Standard\">"
        "<style:text-properties fo:font-style=\"italic\" fo:color=\"#00ff00\" fo:font-size=\"200%\"/>"
        "</style:style>"
        "<style:style style:name=\"Loop\" style:family=\"paragraph\" style:parent-style-name=\"Loop2\"/>"
        "<style:style style:name=\"Loop2\" style:family=\"paragraph\" style:parent-style-name=\"Loop\">"
        "<style:text-properties style:text-line-through-style=\"solid\"/></style:style>";
    const QByteArray automatic = "<style:style style:name=\"P1\" style:family=\"paragraph\" "
                                 "style:parent-style-name=\"Quote\"><style:text-properties "
                                 "fo:font-weight=\"bold\"/></style:style>" +
                                 textstyle("T1", "fo:font-style=\"normal\"");
    const QTextDocument *document = imported(
        odtparts("<text:p text:style-name=\"Standard\">standard</text:p>"
                 "<text:p text:style-name=\"P1\">quoted <text:span text:style-name=\"T1\">upright</text:span>"
                 "</text:p><text:p text:style-name=\"Loop\">looped</text:p>",
                 automatic, common));
    const QTextCharFormat standard = formatof(*document, "standard");
    QCOMPARE(standard.fontPointSize(), 11.0);
    QCOMPARE(standard.fontFamilies().toStringList(), QStringList{"Liberation Serif"});
    const QTextCharFormat quoted = formatof(*document, "quoted");
    QVERIFY(quoted.fontItalic());
    QCOMPARE(quoted.fontWeight(), int(QFont::Bold));
    QCOMPARE(quoted.fontPointSize(), 22.0);
    QCOMPARE(quoted.foreground().color(), QColor(0, 255, 0));
    const QTextCharFormat upright = formatof(*document, "upright");
    QVERIFY(!upright.fontItalic());
    QCOMPARE(upright.fontWeight(), int(QFont::Bold));
    QVERIFY(formatof(*document, "looped").fontStrikeOut());
}

void TestOdtImport::paragraphAlignment()
{
    const auto aligned = [](const char *name, const char *align) {
        return "<style:style style:name=\"" + QByteArray(name) +
               "\" style:family=\"paragraph\"><style:paragraph-properties fo:text-align=\"" + align +
               "\"/></style:style>";
    };
    const QTextDocument *document = imported(odtparts(
        "<text:p text:style-name=\"C\">centred</text:p><text:p text:style-name=\"E\">ended</text:p>"
        "<text:p text:style-name=\"J\">justified</text:p><text:p text:style-name=\"S\">started</text:p>",
        aligned("C", "center") + aligned("E", "end") + aligned("J", "justify") + aligned("S", "start")));
    QCOMPARE(paragraphof(*document, "centred").blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(paragraphof(*document, "ended").blockFormat().alignment(), Qt::AlignRight);
    QCOMPARE(paragraphof(*document, "justified").blockFormat().alignment(), Qt::AlignJustify);
    QCOMPARE(paragraphof(*document, "started").blockFormat().alignment(), Qt::AlignLeft);
}

void TestOdtImport::nestedListsAndListHeaders()
{
    const QByteArray listStyles =
        "<text:list-style style:name=\"L1\"><text:list-level-style-bullet text:level=\"1\" "
        "text:bullet-char=\"*\"/>"
        "<text:list-level-style-bullet text:level=\"2\" text:bullet-char=\"-\"/></text:list-style>"
        "<text:list-style style:name=\"L2\"><text:list-level-style-number text:level=\"1\" "
        "style:num-format=\"1\"/>"
        "<text:list-level-style-number text:level=\"2\" style:num-format=\"i\"/></text:list-style>";
    const QTextDocument *document = imported(odtparts(
        "<text:list text:style-name=\"L1\"><text:list-item><text:p>dot</text:p>"
        "<text:list><text:list-item><text:p>circle</text:p></text:list-item></text:list></text:list-item>"
        "</text:list>"
        "<text:list text:style-name=\"L2\"><text:list-header><text:p>header</text:p></text:list-header>"
        "<text:list-item><text:p>first</text:p><text:p>continued</text:p></text:list-item>"
        "<text:list-item><text:list><text:list-item><text:p>roman</text:p></text:list-item></text:list>"
        "</text:list-item><text:list-item><text:p>second</text:p></text:list-item></text:list>"
        "<text:p>outside</text:p>",
        listStyles));
    QCOMPARE(paragraphtexts(*document),
             (QStringList{"dot", "circle", "header", "first", "continued", "roman", "second", "outside"}));
    QCOMPARE(paragraphof(*document, "dot").textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(paragraphof(*document, "circle").textList()->format().style(), QTextListFormat::ListCircle);
    QCOMPARE(paragraphof(*document, "circle").textList()->format().indent(), 2);
    const QTextList *numbered = paragraphof(*document, "first").textList();
    QCOMPARE(numbered->format().style(), QTextListFormat::ListDecimal);
    QCOMPARE(paragraphof(*document, "second").textList(), numbered);
    QVERIFY(paragraphof(*document, "dot").textList() != numbered);
    QCOMPARE(paragraphof(*document, "roman").textList()->format().style(), QTextListFormat::ListLowerRoman);
    QVERIFY(!paragraphof(*document, "header").textList());
    QVERIFY(!paragraphof(*document, "continued").textList());
    QVERIFY(!paragraphof(*document, "outside").textList());
}

void TestOdtImport::headingsAreBoldAndLarger()
{
    const QByteArray common =
        "<style:default-style style:family=\"paragraph\"><style:text-properties fo:font-size=\"12pt\"/>"
        "</style:default-style><style:style style:name=\"Own\" style:family=\"paragraph\">"
        "<style:text-properties fo:font-size=\"30pt\" fo:font-weight=\"normal\"/></style:style>";
    const QTextDocument *document =
        imported(odtparts("<text:p>plain</text:p><text:h text:outline-level=\"1\">chapter</text:h>"
                          "<text:h text:outline-level=\"2\">section</text:h><text:h>unlevelled</text:h>"
                          "<text:h text:style-name=\"Own\" text:outline-level=\"1\">own</text:h>",
                          {}, common));
    QCOMPARE(formatof(*document, "plain").fontPointSize(), 12.0);
    const QTextCharFormat chapter = formatof(*document, "chapter");
    QCOMPARE(chapter.fontWeight(), int(QFont::Bold));
    QVERIFY(chapter.fontPointSize() > formatof(*document, "section").fontPointSize());
    QVERIFY(formatof(*document, "section").fontPointSize() > 12);
    QCOMPARE(formatof(*document, "unlevelled").fontPointSize(), chapter.fontPointSize());
    QCOMPARE(formatof(*document, "own").fontPointSize(), 30.0);
    QCOMPARE(formatof(*document, "own").fontWeight(), int(QFont::Normal));
}

void TestOdtImport::tablesReadCellByCell()
{
    const QTextDocument *document = imported(odtparts(
        "<table:table table:name=\"T\"><table:table-column table:number-columns-repeated=\"2\"/>"
        "<table:table-header-rows><table:table-row><table:table-cell><text:p>h1</text:p></table:table-cell>"
        "<table:table-cell><text:p>h2</text:p></table:table-cell></table:table-row></table:table-header-rows>"
        "<table:table-row><table:table-cell><text:p>a</text:p><text:p>a more</text:p></table:table-cell>"
        "<table:covered-table-cell/></table:table-row></table:table><text:p>after</text:p>"));
    QCOMPARE(paragraphtexts(*document), (QStringList{"h1", "h2", "a", "a more", "after"}));
}

void TestOdtImport::linksAndFieldsShowTheirText()
{
    const QTextDocument *document = imported(odtparts(
        "<text:p><text:a xlink:href=\"http://x\" xmlns:xlink=\"http://www.w3.org/1999/xlink\">linked</text:a>"
        " page <text:page-number text:select-page=\"current\">3</text:page-number> of "
        "<text:page-count>9</text:page-count>, <text:date>1 May</text:date></text:p>"));
    QCOMPARE(paragraphtexts(*document), QStringList{"linked page 3 of 9, 1 May"});
}

void TestOdtImport::whatIsNotReadAloudIsLeftOut()
{
    const QByteArray automatic = textstyle("H", "text:display=\"none\"");
    const QTextDocument *document = imported(odtparts(
        "<text:tracked-changes><text:changed-region text:id=\"c1\"><text:deletion><text:p>deleted</text:p>"
        "</text:deletion></text:changed-region></text:tracked-changes>"
        "<text:p>kept<text:change text:change-id=\"c1\"/><office:annotation><dc:creator>a</dc:creator>"
        "<text:p>comment</text:p></office:annotation><text:note "
        "text:note-class=\"footnote\"><text:note-citation>1"
        "</text:note-citation><text:note-body><text:p>footnote</text:p></text:note-body></text:note>"
        "<draw:frame draw:name=\"picture\"><draw:image/><svg:title>alt</svg:title><svg:desc>more</svg:desc>"
        "</draw:frame>"
        "<text:span text:style-name=\"H\">hidden</text:span><text:hidden-text text:is-hidden=\"true\" "
        "text:string-value=\"x\">invisible</text:hidden-text> end</text:p>"
        "<text:section text:name=\"s\" text:display=\"none\"><text:p>hidden section</text:p></text:section>",
        automatic));
    QCOMPARE(paragraphtexts(*document), QStringList{"kept end"});
}

void TestOdtImport::listItemsShowTheirMarks()
{
    // As LibreOffice writes its numbering: "1.", "a)", "i." and a level that shows the one above.
    const QByteArray styles =
        "<text:list-style style:name=\"Numbers\">"
        "<text:list-level-style-number text:level=\"1\" style:num-suffix=\".\" style:num-format=\"1\"/>"
        "<text:list-level-style-number text:level=\"2\" style:num-suffix=\")\" style:num-format=\"a\"/>"
        "<text:list-level-style-number text:level=\"3\" style:num-suffix=\".\" style:num-format=\"i\"/>"
        "<text:list-level-style-number text:level=\"4\" style:num-prefix=\"(\" style:num-suffix=\")\" "
        "style:num-format=\"A\" text:display-levels=\"2\"/></text:list-style>"
        "<text:list-style style:name=\"Roman\"><text:list-level-style-number text:level=\"1\" "
        "style:num-suffix=\".\" style:num-format=\"I\" text:start-value=\"3\"/></text:list-style>"
        "<text:list-style style:name=\"Bullets\">"
        "<text:list-level-style-bullet text:level=\"1\" text:bullet-char=\"\xe2\x80\x93\"/>"
        "<text:list-level-style-bullet text:level=\"2\" text:bullet-char=\"\xee\x80\x8a\"/>"
        "<text:list-level-style-number text:level=\"3\" style:num-format=\"\"/></text:list-style>";
    const QTextDocument *document = imported(odtparts(
        "<text:p>Before</text:p>" +
            list(item("one") +
                     item("two",
                          list(item("sub a") + item("sub b", list(item("deep", list(item("deeper"))))))) +
                     item("three"),
                 "text:style-name=\"Numbers\"") +
            list(item("Roman three") + item("Roman four"), "text:style-name=\"Roman\"") +
            list(item("dash", list(item("private", list(item("unmarked"))))), "text:style-name=\"Bullets\"") +
            "<text:p>After</text:p>",
        {}, styles));
    QCOMPARE(listmarks(*document), (QStringList{"", "1.", "2.", "a)", "b)", "i.", "(i.A)", "3.", "III.",
                                                "IV.", "\u2013", "\u25E6", "", ""}));
    const QStringList lines = plainlines(document);
    QCOMPARE(lines.mid(0, 4), (QStringList{"Before", "1. one", "2. two", "a) sub a"}));
    QCOMPARE(lines.at(10), QStringLiteral("\u2013 dash"));
}

void TestOdtImport::numbersGoOnAndStartAnew()
{
    const QByteArray styles =
        "<text:list-style style:name=\"N\"><text:list-level-style-number text:level=\"1\" "
        "style:num-suffix=\".\" style:num-format=\"1\"/></text:list-style>"
        "<text:list-style style:name=\"M\"><text:list-level-style-number text:level=\"1\" "
        "style:num-suffix=\")\" style:num-format=\"1\"/></text:list-style>"
        "<text:outline-style style:name=\"Outline\">"
        "<text:outline-level-style text:level=\"1\" style:num-format=\"1\" style:num-suffix=\".\"/>"
        "<text:outline-level-style text:level=\"2\" style:num-format=\"1\" text:display-levels=\"2\"/>"
        "<text:outline-level-style text:level=\"3\" style:num-format=\"\"/></text:outline-style>";
    const QTextDocument *document = imported(odtparts(
        list(item("one"), "xml:id=\"first\" text:style-name=\"N\"") + "<text:p>between</text:p>" +
            list(item("two"), "text:continue-numbering=\"true\" text:style-name=\"N\"") +
            list(item("other"), "text:style-name=\"M\"") +
            list(item("three"), "text:continue-list=\"first\" text:style-name=\"N\"") +
            list(item("four"), "text:continue-numbering=\"true\" text:style-name=\"N\"") +
            list("<text:list-item text:start-value=\"7\"><text:p>seven</text:p></text:list-item>" +
                     item("eight"),
                 "text:style-name=\"N\"") +
            "<text:h text:outline-level=\"1\">Intro</text:h><text:h text:outline-level=\"2\">Part</text:h>"
            "<text:h text:outline-level=\"3\">Unnumbered</text:h><text:h "
            "text:outline-level=\"1\">Next</text:h>"
            "<text:h text:outline-level=\"1\" text:is-list-header=\"true\">Header</text:h>"
            "<text:h text:outline-level=\"2\">Next part</text:h>"
            "<text:h text:outline-level=\"1\" text:restart-numbering=\"true\">Again</text:h>"
            // A number another program wrote as text is not read twice.
            "<text:h text:outline-level=\"1\"><text:number>9.</text:number>Cached</text:h>",
        {}, styles));
    QCOMPARE(listmarks(*document), (QStringList{"1.", "", "2.", "1)", "3.", "4.", "7.", "8.", "1.", "1.1", "",
                                                "2.", "", "2.1", "1.", "2."}));
    QCOMPARE(paragraphtexts(*document).last(), QStringLiteral("Cached"));
}

void TestOdtImport::framesAndCaptionsAreRead()
{
    const QTextDocument *document = imported(odtparts(
        // A frame anchored to the page stands among the body's paragraphs.
        "<draw:frame text:anchor-type=\"page\"><draw:text-box><text:p>On the page</text:p></draw:text-box>"
        "</draw:frame>"
        "<text:p>Anchor <draw:frame text:anchor-type=\"paragraph\"><draw:text-box><text:p>In a frame</text:p>"
        "<text:list><text:list-item><text:p>framed item</text:p></text:list-item></text:list></draw:text-box>"
        "</draw:frame>goes on</text:p>"
        // A picture with its caption, as LibreOffice writes one.
        "<text:p><draw:frame draw:name=\"Frame2\" text:anchor-type=\"as-char\"><draw:text-box><text:p>"
        "<draw:frame draw:name=\"Image1\"><draw:image><text:p>not shown</text:p></draw:image></draw:frame>"
        "Figure <text:sequence text:name=\"Illustration\" style:num-format=\"1\">1</text:sequence>: A "
        "caption."
        "</text:p></draw:text-box></draw:frame></text:p>"
        "<text:p>Shape <draw:a><draw:custom-shape><text:p>in a shape</text:p><draw:enhanced-geometry/>"
        "</draw:custom-shape></draw:a></text:p>"
        "<text:p>After</text:p>"));
    QCOMPARE(paragraphtexts(*document),
             (QStringList{"On the page", "Anchor goes on", "In a frame", "framed item", "",
                          "Figure 1: A caption.", "Shape", "in a shape", "After"}));
}

void TestOdtImport::symbolFontsShowWhatTheyMean()
{
    const QByteArray automatic = textstyle("W", "style:font-name=\"Wingdings\"") +
                                 textstyle("S", "fo:font-family=\"Symbol\"") +
                                 textstyle("X", "style:font-name=\"Wingdings 2\"");
    const QTextDocument *document =
        imported(odtparts("<text:p>smile <text:span text:style-name=\"W\">\xef\x81\x8a</text:span> alpha "
                          "<text:span text:style-name=\"S\">a</text:span> unknown "
                          "<text:span text:style-name=\"X\">\xef\x80\xa1</text:span>end</text:p>",
                          automatic));
    QCOMPARE(paragraphtexts(*document), QStringList{QStringLiteral("smile \u263A alpha \u03B1 unknown end")});
}

VANTELL_CORE_TEST_MAIN(TestOdtImport)
#include "test_odtimport.moc"

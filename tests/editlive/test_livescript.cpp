#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

#include "core/editlive/livepagelines.h"
#include "core/editlive/livescript.h"
#include "core/render/page.h"
#include "core/render/richtohtml.h"
#include "core/render/scriptloader.h"
#include "testsupport/testmain.h"

// The script edited live makes the lines a script of its kind makes when it is loaded, so that the
// page changed in place is the page a reload would build; and a paragraph replaced keeps its look.
using namespace Qt::StringLiterals;

class TestLiveScript : public QObject {
    Q_OBJECT
private slots:
    void plainLinesAreTheParagraphsLines();
    void richLinesAreTheConvertersAndFindTheirParagraphs();
    void markupKeepsUnchangedLinesAndTheMarksOfChangedOnes();
    void aReplacedParagraphKeepsTheFormatOfItsFirstCharacter();
    void changedLinesGetThePageLinesOfABuiltPage();
};

namespace {

QFont displayFont()
{
    return QFont(QStringLiteral("Liberation Sans"), 24);
}

// The prompter's hidden rich-text worker as it loads rich scripts: white on black, the display font.
void lookLikeThePage(QTextEdit &worker)
{
    worker.setFont(displayFont());
    QPalette page = worker.palette();
    page.setColor(QPalette::Base, Qt::black);
    page.setColor(QPalette::Text, Qt::white);
    worker.setPalette(page);
}

} // namespace

void TestLiveScript::plainLinesAreTheParagraphsLines()
{
    const QStringList lines{"Good evening.", "", "<b>Tonight</b> & more"};
    auto script = LiveScript::plain(lines, displayFont());
    QCOMPARE(script->kind(), LiveScript::Kind::Plain);
    QCOMPARE(script->lines(), lines);
    QCOMPARE(script->paragraphs(), lines);
    // A line break inside a paragraph makes two script lines of it.
    QTextCursor cursor(script->document()->findBlockByNumber(0));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QString(QChar::LineSeparator) + QStringLiteral("Welcome."));
    QCOMPARE(script->lines(), (QStringList{"Good evening.", "Welcome.", "", "<b>Tonight</b> & more"}));
    QCOMPARE(script->paragraphs().first(), QStringLiteral("Good evening.\nWelcome."));
    QCOMPARE(script->lineOfParagraph(1), 2);
    QCOMPARE(script->paragraphOfLine(1), 0);
    QCOMPARE(script->paragraphOfLine(3), 2);
}

void TestLiveScript::richLinesAreTheConvertersAndFindTheirParagraphs()
{
    QTextEdit worker;
    lookLikeThePage(worker);
    worker.setHtml(QStringLiteral("<p>Plain start</p><p><b>Bold</b> and <span style=\"color:#ff0000\">red"
                                  "</span></p><p align=\"center\">Centred<br>two lines</p>"
                                  "<ul><li>one</li><li>two</li></ul><p></p>"));
    TJvRichEditToHtml converter;
    converter.Header.clear();
    converter.Footer.clear();
    QStringList loaded;
    converter.RichToHtmlLines(&worker, loaded);
    choploader(loaded);

    auto script = LiveScript::rich(worker.document(), displayFont());
    QCOMPARE(script->kind(), LiveScript::Kind::Rich);
    QCOMPARE(script->lines(), loaded);
    // Each paragraph's first line holds its text; a line break makes the next line.
    const QStringList paragraphs = script->paragraphs();
    QCOMPARE(paragraphs.size(), worker.document()->blockCount());
    for (int p = 0; p < paragraphs.size(); ++p) {
        const QString first = paragraphs.at(p).section(QLatin1Char('\n'), 0, 0);
        const int line = script->lineOfParagraph(p);
        if (!first.isEmpty())
            QVERIFY2(loaded.at(line).contains(first.left(3)), qPrintable(loaded.at(line)));
        QCOMPARE(script->paragraphOfLine(line), p);
    }
    QCOMPARE(script->paragraphOfLine(script->lineOfParagraph(2) + 1), 2);
    // Edited, it makes what the converter makes of the edited text.
    QTextCursor cursor(script->document()->findBlockByNumber(1));
    cursor.insertText(QStringLiteral("Very "));
    QTextCursor mirror(worker.document()->findBlockByNumber(1));
    mirror.insertText(QStringLiteral("Very "));
    converter.RichToHtmlLines(&worker, loaded);
    choploader(loaded);
    QCOMPARE(script->lines(), loaded);
    // The prompter's document is a copy: its own text stays as it is.
    QVERIFY(!worker.document()->findBlockByNumber(0).text().contains(QLatin1String("Very")));
}

void TestLiveScript::markupKeepsUnchangedLinesAndTheMarksOfChangedOnes()
{
    const QStringList lines{u"<span data-p=\"4\"></span>Good <b>evening</b> &amp; welcome"_s,
                            u"<span data-p=\"5\"></span><span style=\"color:#808080\">(CUE VT)</span>"_s,
                            u"<span data-p=\"6\"></span>Back to the studio."_s};
    auto script = LiveScript::markup(lines, displayFont());
    QCOMPARE(script->lines(), lines);
    QCOMPARE(script->paragraphs(),
             (QStringList{"Good evening & welcome", "(CUE VT)", "Back to the studio."}));
    QTextCursor cursor(script->document()->findBlockByNumber(2));
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral(" <Now>"));
    const QStringList edited = script->lines();
    QCOMPARE(edited.mid(0, 2), lines.mid(0, 2));
    QCOMPARE(edited.at(2), u"<span data-p=\"6\"></span>Back to the studio. &lt;Now&gt;"_s);
    // A new paragraph has no mark of its own; the instruction keeps its grey.
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Goodnight."));
    QCOMPARE(script->lines().size(), 4);
    QCOMPARE(script->lines().at(3), QStringLiteral("Goodnight."));
    QTextCursor grey(script->document()->findBlockByNumber(1));
    grey.movePosition(QTextCursor::EndOfBlock);
    grey.insertText(QStringLiteral("!"));
    QCOMPARE(script->lines().at(1),
             u"<span data-p=\"5\"></span><span style=\"color:#808080\">(CUE VT)!</span>"_s);
}

void TestLiveScript::aReplacedParagraphKeepsTheFormatOfItsFirstCharacter()
{
    QTextEdit worker;
    lookLikeThePage(worker);
    worker.setHtml(QStringLiteral("<p><b><i>Breaking</i></b> news</p><p>Third</p>"));
    QTextCursor gap(worker.document()->findBlockByNumber(1));
    gap.insertBlock();
    auto script = LiveScript::rich(worker.document(), displayFont());
    script->replaceParagraph(0, QStringLiteral("Latest\nnews"));
    QCOMPARE(script->paragraphs(), (QStringList{"Latest\nnews", "", "Third"}));
    const QTextBlock first = script->document()->findBlockByNumber(0);
    for (auto it = first.begin(); !it.atEnd(); ++it) {
        QCOMPARE(it.fragment().charFormat().fontWeight(), int(QFont::Bold));
        QVERIFY(it.fragment().charFormat().fontItalic());
    }
    // An empty paragraph takes text too, and the others stay.
    script->replaceParagraph(1, QStringLiteral("Second"));
    QCOMPARE(script->paragraphs(), (QStringList{"Latest\nnews", "Second", "Third"}));
    QCOMPARE(script->document()->blockCount(), 3);
}

void TestLiveScript::changedLinesGetThePageLinesOfABuiltPage()
{
    // A table that writes the page's entity for é, a marker line and a heading among them.
    const QStringList table{u"\u00e9\t&eacute;\t\u00e9"_s};
    QStringList script{u"Caf\u00e9 opens"_s, QStringLiteral("## Weather"),
                       QStringLiteral("<i>Rain</i> later"), QStringLiteral("Last")};
    for (const bool caps : {false, true}) {
        for (const MarkerDisplay markers : {MarkerDisplay::Quiet, MarkerDisplay::Hidden}) {
            QStringList converted = script;
            QStringList page = buildpage(converted, table, PageFont{}, caps, false, false, ScriptText::Plain);
            markpage(page, findmarkers(scriptmarkup(converted, table, ScriptText::Plain)), markers, caps);
            const int body = int(page.indexOf(bodytag(false, false))) + 1;
            const PageLook look{table, caps, ScriptText::Plain, markers};
            const QStringList shown = shownlines(script, table);
            QCOMPARE(shown, converted);
            // Any stretch of lines alone gives the lines the whole page has for them.
            for (int from = 0; from < shown.size(); ++from)
                for (int count = 1; from + count <= shown.size(); ++count)
                    QCOMPARE(pagelinesof(shown.mid(from, count), look), page.mid(body + from, count));
        }
    }
}

VANTELL_CORE_TEST_MAIN(TestLiveScript)
#include "test_livescript.moc"

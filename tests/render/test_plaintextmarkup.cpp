#include "core/render/page.h"
#include "core/render/plaintextmarkup.h"
#include "testsupport/testmain.h"

class TestPlainTextMarkup : public QObject {
    Q_OBJECT
private slots:
    void linesShowAsWritten_data();
    void linesShowAsWritten();
    void tableFormsStayAsTheTableWroteThem();
    void plainPagesOnlyAreEscaped();
};

void TestPlainTextMarkup::linesShowAsWritten_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("page");
    QTest::newRow("a word in angle brackets") << "Press <Enter> to continue"
                                              << "Press &lt;Enter&gt; to continue";
    QTest::newRow("comparison") << "If a < b then b > a"
                                << "If a &lt; b then b &gt; a";
    QTest::newRow("no blanks") << "a<b"
                               << "a&lt;b";
    QTest::newRow("doubled") << "<< back >>"
                             << "&lt;&lt; back &gt;&gt;";
    QTest::newRow("cue") << "<PAUSE> <Cue music>"
                         << "&lt;PAUSE&gt; &lt;Cue music&gt;";
    QTest::newRow("unclosed takes nothing after it") << "<Cue the band and go"
                                                     << "&lt;Cue the band and go";
    QTest::newRow("at the end of a line") << "more to come <"
                                          << "more to come &lt;";
    QTest::newRow("an unclosed tag of the list") << "bold <b"
                                                 << "bold &lt;b";
    QTest::newRow("tag-like stage direction") << "<div class=\"x\">aside</div>"
                                              << "&lt;div class=\"x\"&gt;aside&lt;/div&gt;";
    QTest::newRow("comment") << "<!-- note -->"
                             << "&lt;!-- note --&gt;";
    QTest::newRow("script") << "<script>alert(1)</script>"
                            << "&lt;script&gt;alert(1)&lt;/script&gt;";
    QTest::newRow("formatting kept") << "a <b>bold</b> and <i>slanted</i>, <u>u</u> <s>s</s>"
                                     << "a <b>bold</b> and <i>slanted</i>, <u>u</u> <s>s</s>";
    QTest::newRow("upper case") << "<B>LOUD</B> <EM>x</Em> <Strong>y</STRONG>"
                                << "<B>LOUD</B> <EM>x</Em> <Strong>y</STRONG>";
    QTest::newRow("line breaks") << "one<br>two<BR/>three<br />four"
                                 << "one<br>two<BR/>three<br />four";
    QTest::newRow("raised and lowered") << "x<sup>2</sup> H<sub>2</sub>O"
                                        << "x<sup>2</sup> H<sub>2</sub>O";
    QTest::newRow("font with its attributes") << "<font color=\"red\" size='+2' FACE=Arial>big</font>"
                                              << "<font color=\"red\" size='+2' FACE=Arial>big</font>";
    QTest::newRow("font with another attribute") << "<font onclick=\"x\">a</font>"
                                                 << "&lt;font onclick=\"x\"&gt;a</font>";
    QTest::newRow("attribute on a tag without any") << "<b class=\"x\">a</b>"
                                                    << "&lt;b class=\"x\"&gt;a</b>";
    QTest::newRow("attribute without a value") << "<font color>a</font>"
                                               << "&lt;font color&gt;a</font>";
    QTest::newRow("unclosed quote") << "<font color=\"red>a"
                                    << "&lt;font color=\"red&gt;a";
    QTest::newRow("a longer name") << "<bold>x</bold> <break>"
                                   << "&lt;bold&gt;x&lt;/bold&gt; &lt;break&gt;";
    QTest::newRow("closing tag with attributes") << "</font color=red>"
                                                 << "&lt;/font color=red&gt;";
    QTest::newRow("ampersand") << "AT&T and R & D"
                               << "AT&amp;T and R &amp; D";
    QTest::newRow("references") << "&amp; &eacute; &#8364; &#x20AC; &NotAName;"
                                << "&amp; &eacute; &#8364; &#x20AC; &NotAName;";
    QTest::newRow("references without their semicolon") << "&copy 2024 &#169 &# &#x; &;"
                                                        << "&amp;copy 2024 &amp;#169 &amp;# &amp;#x; &amp;;";
    QTest::newRow("ampersand at the end") << "salt &"
                                          << "salt &amp;";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPlainTextMarkup::linesShowAsWritten()
{
    QFETCH(QString, line);
    QFETCH(QString, page);
    QCOMPARE(PlainTextMarkup().markup(line), page);
}

void TestPlainTextMarkup::tableFormsStayAsTheTableWroteThem()
{
    // A table may write markup for the page on purpose; what it wrote is kept, the rest escaped.
    const PlainTextMarkup markup({QStringLiteral("<span class=\"cue\">[CUE]</span>"),
                                  QStringLiteral("&iexcl;"), QStringLiteral("<<"), QStringLiteral("plain")});
    QCOMPARE(markup.markup(QStringLiteral("<span class=\"cue\">[CUE]</span> <span>no</span> &iexcl;<< <")),
             QStringLiteral("<span class=\"cue\">[CUE]</span> &lt;span&gt;no&lt;/span&gt; &iexcl;<< &lt;"));
}

void TestPlainTextMarkup::plainPagesOnlyAreEscaped()
{
    // The table applies first, as it always has: its output is the page's, the writer's text is shown.
    const QStringList table{QStringLiteral("e acute\t&eacute;\t\u00e9"),
                            QStringLiteral("cue\t<span style=\"color: yellow\">CUE</span>\t[cue]"),
                            QStringLiteral("arrows\t&raquo;\t>>")};
    QStringList script{QStringLiteral("Caf\u00e9 <Enter> [cue] >> <b>now</b> & then")};
    const QString expected = QStringLiteral("Caf&eacute; &lt;Enter&gt; <span style=\"color: "
                                            "yellow\">CUE</span> &raquo; <b>now</b> &amp; then<br>");
    const PageFont font{QStringLiteral("Arial"), 24};
    QStringList page = buildpage(script, table, font, false, false, false, ScriptText::Plain);
    QCOMPARE(page.at(page.indexOf(QStringLiteral("<body>")) + 1), expected);
    // The script holds the table's forms now; a page built again from it is the same page.
    QCOMPARE(buildpage(script, table, font, false, false, false, ScriptText::Plain), page);
    // Capitals come after escaping: "&LT;" names the same sign.
    page = buildpage(script, table, font, true, false, false, ScriptText::Plain);
    QVERIFY(page.at(page.indexOf(QStringLiteral("<body>")) + 1)
                .startsWith(QStringLiteral("CAF&EACUTE; &LT;ENTER&GT;")));
    // Markup (a rich script's lines) goes to the page as it stands.
    QStringList rich{QStringLiteral("<P><SPAN>a &lt; b</SPAN>")};
    page = buildpage(rich, table, font, false, false, false, ScriptText::Markup);
    QCOMPARE(page.at(page.indexOf(QStringLiteral("<body>")) + 1),
             QStringLiteral("<P><SPAN>a &lt; b</SPAN><br>"));
    QCOMPARE(scriptmarkup({QStringLiteral("a<b")}, {}, ScriptText::Plain),
             QStringList{QStringLiteral("a&lt;b")});
}

VANTELL_CORE_TEST_MAIN(TestPlainTextMarkup)
#include "test_plaintextmarkup.moc"

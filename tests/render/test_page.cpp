#include "core/render/page.h"
#include "testsupport/testmain.h"

class TestPage : public QObject {
    Q_OBJECT
private slots:
    void templatesHaveTheirLinesAndBlanks();
    void emptyScriptPage();
    void shortScriptUnderEveryMode_data();
    void shortScriptUnderEveryMode();
    void capitalsUpperCaseMarkupAndReferences();
    void buildConvertsScriptLinesInPlaceAndIsRepeatable();
    void emptyPageHasSizeBeforeFamily();
    void anotherBodyTagForAnotherDisplay();
};

namespace {
const PageFont arial{QStringLiteral("Arial"), 24};
const QStringList table{QStringLiteral("e acute\t&eacute;\t\u00e9")};
} // namespace

void TestPage::templatesHaveTheirLinesAndBlanks()
{
    const QStringList header = pageheader();
    QCOMPARE(header.size(), 17);
    QCOMPARE(header.mid(0, 8).join(QLatin1Char(' ')),
             QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                            "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\"> <html xmlns= "
                            "\"http://www.w3.org/1999/xhtml\" >"));
    QCOMPARE(header.at(9), QStringLiteral("<meta http-equiv=\"Content-Type\" "));
    QCOMPARE(header.at(10), QStringLiteral("content=\"text/html; "));
    QCOMPARE(header.at(11), QStringLiteral("charset=utf-8\" "));
    QCOMPARE(header.at(16), QStringLiteral("body,td,th {\t"));
    const QStringList footer = pagefooter();
    QCOMPARE(footer, (QStringList{"\tcolor: #FFFFFF;", "}", "body {", "\tbackground-color: ", "#000000;", "}",
                                  "-->", "</style></head>", ""}));
}

void TestPage::emptyScriptPage()
{
    QStringList script;
    const QStringList page = buildpage(script, table, arial, false, false, false);
    QStringList expected = pageheader();
    expected << "font-family: Arial;"
             << "font-size: 24px;" << pagefooter() << "<body>";
    for (int i = 0; i < 11; ++i)
        expected << "<BR>";
    expected << "</body></html>";
    QCOMPARE(page, expected);
}

void TestPage::shortScriptUnderEveryMode_data()
{
    QTest::addColumn<bool>("caps");
    QTest::addColumn<bool>("mirror");
    QTest::addColumn<bool>("rotate");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("firstLine");
    const QString mirrorFilter = QStringLiteral(" progid:DXImageTransform.Microsoft.BasicImage(mirror=1)");
    const QString rotateFilter = QStringLiteral(" progid:DXImageTransform.Microsoft.BasicImage(rotation=2)");
    for (bool caps : {false, true}) {
        for (bool mirror : {false, true}) {
            for (bool rotate : {false, true}) {
                QString body = QStringLiteral("<body");
                if (mirror || rotate)
                    body += QStringLiteral(" style=\"filter:") + (mirror ? mirrorFilter : QString()) +
                            (rotate ? rotateFilter : QString()) + QLatin1Char('"');
                body += QLatin1Char('>');
                QTest::addRow("caps=%d mirror=%d rotate=%d", caps, mirror, rotate)
                    << caps << mirror << rotate << body
                    << (caps ? QStringLiteral("CAF&EACUTE; <B>X</B><br>")
                             : QStringLiteral("caf&eacute; <b>x</b><br>"));
            }
        }
    }
}

void TestPage::shortScriptUnderEveryMode()
{
    QFETCH(bool, caps);
    QFETCH(bool, mirror);
    QFETCH(bool, rotate);
    QFETCH(QString, body);
    QFETCH(QString, firstLine);
    QStringList script{QStringLiteral("caf\u00e9 <b>x</b>"), QString(), QStringLiteral("last")};
    const QStringList page =
        buildpage(script, table, PageFont{QStringLiteral("Liberation Sans"), 40}, caps, mirror, rotate);
    QCOMPARE(page.size(), 17 + 2 + 9 + 1 + 3 + 11 + 1);
    QCOMPARE(page.at(17), QStringLiteral("font-family: Liberation Sans;"));
    QCOMPARE(page.at(18), QStringLiteral("font-size: 40px;"));
    QCOMPARE(page.at(28), body);
    QCOMPARE(page.at(29), firstLine);
    QCOMPARE(page.at(30), QStringLiteral("<br>"));
    QCOMPARE(page.at(31), caps ? QStringLiteral("LAST<br>") : QStringLiteral("last<br>"));
    QCOMPARE(page.at(32), QStringLiteral("<BR>"));
    QCOMPARE(page.at(42), QStringLiteral("<BR>"));
    QCOMPARE(page.last(), QStringLiteral("</body></html>"));
}

void TestPage::capitalsUpperCaseMarkupAndReferences()
{
    QStringList script{
        QStringLiteral("<span style=\"color: #ff0000\">stra\u00dfe &amp; \u00e9t\u00e9</span>")};
    const QStringList page = buildpage(script, {}, arial, true, false, false);
    QCOMPARE(page.at(29),
             QStringLiteral("<SPAN STYLE=\"COLOR: #FF0000\">STRASSE &AMP; \u00c9T\u00c9</SPAN><br>"));
}

void TestPage::buildConvertsScriptLinesInPlaceAndIsRepeatable()
{
    QStringList script{QStringLiteral("\u00e9t\u00e9")};
    const QStringList first = buildpage(script, table, arial, false, true, true);
    QCOMPARE(script, QStringList{QStringLiteral("&eacute;t&eacute;")});
    const QStringList second = buildpage(script, table, arial, false, true, true);
    QCOMPARE(second, first);
}

void TestPage::emptyPageHasSizeBeforeFamily()
{
    const QStringList page = emptypage(arial);
    QCOMPARE(page.size(), 17 + 2 + 9 + 1);
    QCOMPARE(page.at(17), QStringLiteral("font-size: 24px;"));
    QCOMPARE(page.at(18), QStringLiteral("font-family: Arial;"));
    QCOMPARE(page.at(27), QString());
    QCOMPARE(page.last(), QStringLiteral("</body></html>"));
    QVERIFY(!page.join(QString()).contains(QStringLiteral("<body")));
}

void TestPage::anotherBodyTagForAnotherDisplay()
{
    // A script line that starts like a body tag is script text, not the tag.
    QStringList script{QStringLiteral("<body>of work"), QStringLiteral("second")};
    const QStringList plain = buildpage(script, {}, arial, false, false, false);
    QStringList again = script;
    QCOMPARE(withbodytag(plain, true, true), buildpage(again, {}, arial, false, true, true));
    QCOMPARE(withbodytag(withbodytag(plain, false, true), false, false), plain);
    const QStringList turned = withbodytag(plain, false, true);
    QCOMPARE(turned.at(28), bodytag(false, true));
    QCOMPARE(turned.at(29), QStringLiteral("<body>of work<br>"));
    QCOMPARE(withbodytag(emptypage(arial), true, false), emptypage(arial));
}

VANTELL_CORE_TEST_MAIN(TestPage)
#include "test_page.moc"

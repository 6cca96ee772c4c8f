#include <QTest>

#include "core/engine/readingestimate.h"
#include "core/engine/scriptmarkers.h"
#include "core/render/page.h"
#include "core/rundown/continuousscript.h"
#include "core/rundown/storybanner.h"
#include "core/voice/scriptwords.h"
#include "testsupport/testmain.h"

// The show as one script: stories in order with a banner before each, floated ones left out,
// every kind of script keeping its look, and the banners kept out of what is read aloud.
class TestContinuousScript : public QObject {
    Q_OBJECT
private slots:
    void storiesFollowInOrderEachAfterItsBanner();
    void floatedStoriesAreLeftOutAndNumbersCloseUp();
    void plainTextIsEscapedAndMarkupKept();
    void storiesCloseWhatTheyLeaveOpen_data();
    void storiesCloseWhatTheyLeaveOpen();
    void bannersAreNeverReadAloud();
    void bannersSurviveCapitalsAndTheSpecialTable();
    void aStoryWithoutItsTextShowsNoReadingTime();
};

namespace {

RundownEntry entry(int key, const QString &name, const QStringList &lines,
                   ScriptText text = ScriptText::Plain)
{
    RundownEntry made;
    made.key = key;
    made.name = name;
    made.lines = lines;
    made.text = text;
    return made;
}

const QStringList table{QStringLiteral("e acute\t&eacute;\t\u00e9")};

} // namespace

void TestContinuousScript::storiesFollowInOrderEachAfterItsBanner()
{
    const ContinuousScript script = assemblecontinuous(
        {entry(7, QStringLiteral("Opening"), {QStringLiteral("Good evening.")}),
         entry(3, QStringLiteral("Weather"), {QStringLiteral("Sunny"), QStringLiteral("spells")})},
        {}, 180);
    QCOMPARE(script.stories.size(), 2);
    const StorySpan &first = script.stories.at(0);
    const StorySpan &second = script.stories.at(1);
    QCOMPARE(first.key, 7);
    QCOMPARE(first.number, QStringLiteral("1"));
    QCOMPARE(first.firstLine, 0);
    QCOMPARE(first.lineCount, 3); // banner, one line of text, the closing line
    QCOMPARE(second.firstLine, 3);
    QCOMPARE(second.lineCount, 4);
    QCOMPARE(second.words, 2);
    QCOMPARE(script.lines.size(), 7);
    // The banner opens the story's element and names number, name and reading time.
    QVERIFY(script.lines.at(0).startsWith(QStringLiteral("<div data-vantell-story=\"7\">")));
    QVERIFY(isbannerline(script.lines.at(0)));
    const QString banner = linetext(script.lines.at(3));
    QVERIFY2(banner.contains(QStringLiteral("2")) && banner.contains(QStringLiteral("Weather")) &&
                 banner.contains(readingclock(readingms(2, 180))),
             qPrintable(banner));
    QCOMPARE(script.lines.at(1), QStringLiteral("Good evening."));
    QCOMPARE(script.lines.at(2), QStringLiteral("</div>"));
    QCOMPARE(script.lines.at(6), QStringLiteral("</div>"));
    // A number the newsroom gave is shown as it is.
    RundownEntry numbered = entry(1, QStringLiteral("Sport"), {QStringLiteral("Goal")});
    numbered.number = QStringLiteral("B12");
    QCOMPARE(assemblecontinuous({numbered}, {}, 180).stories.first().number, QStringLiteral("B12"));
}

void TestContinuousScript::floatedStoriesAreLeftOutAndNumbersCloseUp()
{
    RundownEntry floated = entry(2, QStringLiteral("Floated"), {QStringLiteral("Never read")});
    floated.floated = true;
    const ContinuousScript script =
        assemblecontinuous({entry(1, QStringLiteral("One"), {QStringLiteral("First")}), floated,
                            entry(3, QStringLiteral("Three"), {QStringLiteral("Third")})},
                           {}, 180);
    QCOMPARE(script.stories.size(), 2);
    QCOMPARE(script.stories.at(1).entry, 2);
    QCOMPARE(script.stories.at(1).key, 3);
    QCOMPARE(script.stories.at(1).number, QStringLiteral("2"));
    QVERIFY(!script.lines.join(QString()).contains(QStringLiteral("Never read")));
    QVERIFY(!script.lines.join(QString()).contains(QStringLiteral("Floated")));
    // All floated: an empty show.
    QVERIFY(assemblecontinuous({floated}, {}, 180).lines.isEmpty());
    // A story the show lists twice is on the page once, where it first stands: the page finds a
    // story by its key.
    const ContinuousScript twice = assemblecontinuous(
        {entry(1, QStringLiteral("One"), {QStringLiteral("First")}), entry(3, QStringLiteral("Three"), {}),
         entry(1, QStringLiteral("One again"), {QStringLiteral("Again")})},
        {}, 180);
    QCOMPARE(twice.stories.size(), 2);
    QVERIFY(!twice.lines.join(QString()).contains(QStringLiteral("Again")));
}

void TestContinuousScript::plainTextIsEscapedAndMarkupKept()
{
    const ContinuousScript script = assemblecontinuous(
        {entry(1, QStringLiteral("A & B <live>"),
               {QStringLiteral("Press <Enter>, AT&T, <b>bold</b> &eacute;")}),
         entry(2, QStringLiteral("Rich"), {QStringLiteral("<span style=\"color:#ff0000\">red</span>")},
               ScriptText::Markup)},
        table, 180);
    // A plain script as a single one shows: brackets and ampersands as written, its formatting tags
    // and the table's page forms kept.
    QCOMPARE(script.lines.at(1), QStringLiteral("Press &lt;Enter&gt;, AT&amp;T, <b>bold</b> &eacute;"));
    QCOMPARE(script.lines.at(4), QStringLiteral("<span style=\"color:#ff0000\">red</span>"));
    // The name on the banner is text, never markup.
    QVERIFY(script.lines.at(0).contains(QStringLiteral("A &amp; B &lt;live&gt;")));
    QCOMPARE(linetext(script.lines.at(0)).count(QStringLiteral("A & B <live>")), 1);
}

void TestContinuousScript::storiesCloseWhatTheyLeaveOpen_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("closing");
    QTest::newRow("balanced") << QStringList{QStringLiteral("<b>a</b> <i>b</i>")} << QString();
    QTest::newRow("unclosed bold") << QStringList{QStringLiteral("<b>bold on")} << QStringLiteral("</b>");
    QTest::newRow("over lines, innermost first")
        << QStringList{QStringLiteral("<font color=\"red\"><i>one"), QStringLiteral("two</i> <u>three")}
        << QStringLiteral("</u></font>");
    QTest::newRow("void elements and comments")
        << QStringList{QStringLiteral("a<br>b<hr/><img src=\"x\"><!-- <b> -->c")} << QString();
    QTest::newRow("case of tags") << QStringList{QStringLiteral("<B>LOUD")} << QStringLiteral("</b>");
    QTest::newRow("paragraph closed by a block")
        << QStringList{QStringLiteral("<p>one<p>two<div>three")} << QStringLiteral("</div>");
    QTest::newRow("list items close each other")
        << QStringList{QStringLiteral("<ul><li>a<li>b<ul><li>c")} << QStringLiteral("</li></ul></li></ul>");
    QTest::newRow("stray end tag") << QStringList{QStringLiteral("text</b><i>x")} << QStringLiteral("</i>");
    QTest::newRow("plain text with an angle") << QStringList{QStringLiteral("a &lt; b")} << QString();
}

void TestContinuousScript::storiesCloseWhatTheyLeaveOpen()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, closing);
    QCOMPARE(closingtags(lines), closing);
    const ContinuousScript script =
        assemblecontinuous({entry(1, QStringLiteral("S"), lines, ScriptText::Markup)}, {}, 180);
    QCOMPARE(script.lines.last(), closing + QStringLiteral("</div>"));
}

void TestContinuousScript::bannersAreNeverReadAloud()
{
    const ContinuousScript script = assemblecontinuous(
        {entry(1, QStringLiteral("Opening Headlines"), {QStringLiteral("Good evening and welcome.")}),
         entry(2, QStringLiteral("## Weather Desk"), {QStringLiteral("Rain later.")})},
        {}, 180);
    // Reading times count the stories' words only: not the numbers, names or times on the banners.
    QCOMPARE(wordcount(script.lines), 4 + 2);
    QCOMPARE(script.stories.at(0).words + script.stories.at(1).words, 6);
    // Voice following hears the stories' words only.
    QStringList spoken;
    for (const ScriptWord &word : scriptwords(script.lines))
        spoken << word.word;
    QCOMPARE(spoken,
             (QStringList{QStringLiteral("good"), QStringLiteral("evening"), QStringLiteral("and"),
                          QStringLiteral("welcome"), QStringLiteral("rain"), QStringLiteral("later")}));
    // A banner is no marker, whatever the story's name.
    QVERIFY(findmarkers(script.lines).isEmpty());
}

void TestContinuousScript::bannersSurviveCapitalsAndTheSpecialTable()
{
    const ContinuousScript script = assemblecontinuous(
        {entry(5, QStringLiteral("Late news"), {QStringLiteral("Late news tonight")})}, table, 180);
    QStringList lines = script.lines;
    const QStringList page = buildpage(lines, table, PageFont{QStringLiteral("Arial"), 24}, true, false,
                                       false, ScriptText::Markup);
    QStringList body;
    for (const QString &line : page)
        if (!body.isEmpty() || line.startsWith(QStringLiteral("<body")))
            body << line;
    QStringList banners;
    for (const QString &line : body)
        if (isbannerline(line))
            banners << line;
    QCOMPARE(banners.size(), 1);
    // The page finds the story and its banner by attributes, which capitals leave as they are.
    QVERIFY(banners.first().contains(QStringLiteral("DATA-VANTELL-STORY=\"5\"")));
    QCOMPARE(wordcount(body), 3);
}

void TestContinuousScript::aStoryWithoutItsTextShowsNoReadingTime()
{
    RundownEntry waiting = entry(1, QStringLiteral("Late"), {QStringLiteral("[Late]")}, ScriptText::Plain);
    waiting.textKnown = false;
    const ContinuousScript script = assemblecontinuous({waiting}, {}, 180);
    QCOMPARE(script.stories.first().words, 0);
    QVERIFY(!linetext(script.lines.first()).contains(QLatin1Char(':')));
}

VANTELL_CORE_TEST_MAIN(TestContinuousScript)
#include "test_continuousscript.moc"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include "core/engine/glide.h"
#include "core/engine/markerjump.h"
#include "core/engine/promptengine.h"
#include "core/engine/readingestimate.h"
#include "core/engine/scriptmarkers.h"
#include "core/platform/textfile.h"
#include "core/render/page.h"
#include "core/render/richfile.h"
#include "core/render/richtohtml.h"
#include "core/render/scriptloader.h"
#include "fakepage.h"
#include "testsupport/testmain.h"

// Markers in every kind of script, how the page shows them, where a jump to one goes, and the
// glide that takes the page there.
class TestMarkers : public QObject {
    Q_OBJECT
private slots:
    void markerLines_data();
    void markerLines();
    void markersInEveryFileType_data();
    void markersInEveryFileType();
    void headingsAreMarkers_data();
    void headingsAreMarkers();
    void richScriptsCountAsThePageReadsThem();
    void headingsKeepTheirLevelInSavedScripts();
    void headingsKeepTheirLookUnlessHidden_data();
    void headingsKeepTheirLookUnlessHidden();
    void quietMarkersKeepTheLinesTags();
    void hiddenMarkersTakeNoLine();
    void markerPositionPutsTheLineAtTheReadingLine();
    void nextAndPreviousGoOnFromMarkerToMarker();
    void turnedPagesRunUpwards();
    void linesMoveByTheLineHeight();
    void glideLeapsLongJumpsAndArrivesMoving();
    void engineGlideKeepsTheSpeed();
    void engineGlideWhilePausedStaysPaused();
};

void TestMarkers::markerLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("marks");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "## Intro" << true << "Intro";
    QTest::newRow("no space, trailing blanks") << "##Weather  " << true << "Weather";
    QTest::newRow("indented") << "   ## Sport" << true << "Sport";
    QTest::newRow("empty name") << "##" << true << "";
    QTest::newRow("three signs keep one in the name") << "### Close" << true << "# Close";
    QTest::newRow("hashtag") << "#news tonight" << false << "";
    QTest::newRow("sign inside the line") << "Call ## now" << false << "";
    QTest::newRow("references") << "<P><SPAN>&#35;&#35;&nbsp;Caf&eacute;</SPAN>" << true << "Café";
    QTest::newRow("hexadecimal references") << "&#x23;&#x23; Two" << true << "Two";
    QTest::newRow("tag between the signs") << "<b>#</b>#End" << true << "End";
    QTest::newRow("escaped text") << "## A &amp; B" << true << "A & B";
    QTest::newRow("coloured marker") << "<font color=\"#FFFFFF\">## Weather</font>" << true << "Weather";
    QTest::newRow("colour is no sign") << "<font color=\"#FFFFFF\">Top story</font>" << false << "";
    QTest::newRow("other references are no sign") << "<i>Caf&eacute; &amp; bar</i>" << false << "";
}

void TestMarkers::markerLines()
{
    QFETCH(QString, line);
    QFETCH(bool, marks);
    QFETCH(QString, name);
    const QList<ScriptMarker> markers = findmarkers({QStringLiteral("before"), line});
    QCOMPARE(markers.size(), marks ? 1 : 0);
    if (marks)
        QCOMPARE(markers.first(), (ScriptMarker{1, name}));
}

void TestMarkers::markersInEveryFileType_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("plain") << "s.txt" << QByteArray("Good evening.\n## Weather\nSun.\n\n##Sport\nGoal.\n");
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Good evening.\\par ## Weather\\par "
                           "Sun.\\par\\par {\\b ##}Sport\\par Goal.\\par}";
    QTest::newRow("rtf") << "s.rtf" << rtf;
    QTest::newRow("vnr") << "s.vnr" << rtf;
}

namespace {

// The script lines of `content` saved as `fileName`, read as the prompter reads that type.
QStringList readaslines(const QString &fileName, const QByteArray &content)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(content);
    file.close();

    QStringList lines;
    QTextEdit control;
    switch (scriptkind(path)) {
    case ScriptKind::Text:
        lines = readtextlines(path);
        break;
    case ScriptKind::RichText:
        loadrichfile(&control, path);
        lines = plainlines(&control);
        markheadings(control.document(), lines);
        break;
    default: {
        loadrichfile(&control, path);
        TJvRichEditToHtml converter;
        converter.RichToHtmlLines(&control, lines);
        choploader(lines);
    }
    }
    return lines;
}

QStringList markernamesof(const QStringList &lines)
{
    QStringList names;
    for (const ScriptMarker &marker : findmarkers(lines)) {
        names << marker.name;
        // The marker's line is the one that shows its name.
        if (!linetext(lines.at(marker.line)).contains(marker.name))
            names << QStringLiteral("(wrong line %1)").arg(marker.line);
    }
    return names;
}

} // namespace

void TestMarkers::markersInEveryFileType()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    const QStringList lines = readaslines(fileName, content);
    const QList<ScriptMarker> markers = findmarkers(lines);
    QCOMPARE(markers.size(), 2);
    QCOMPARE(markers.at(0).name, QStringLiteral("Weather"));
    QCOMPARE(markers.at(1).name, QStringLiteral("Sport"));
    QVERIFY(linetext(lines.at(markers.at(0).line)).contains(QLatin1String("Weather")));
    QVERIFY(markers.at(0).line < markers.at(1).line);
}

void TestMarkers::headingsAreMarkers_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("names");
    // A word processor's style sheet: a paragraph style, built-in heading names in any case, a
    // style by outline level, a character style that is no paragraph's, and body text.
    const QByteArray styles = "{\\stylesheet{\\ql Normal;}{\\s1\\b\\fs32 heading 1;}{\\s2 Heading 2;}"
                              "{\\s3\\outlinelevel2 Chapter;}{\\*\\cs10 heading 4;}{\\s5\\outlinelevel9 "
                              "heading 5;}{\\s6 My heading 1;}}";
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}" + styles +
                           "\\f0 Good evening.\\par\\pard\\s1 Headlines\\par\\pard Text.\\par"
                           "\\pard\\s2 Weather\\line and more\\par\\pard ## Sport\\par"
                           "\\pard\\s3 Chapter three\\par\\pard\\s5 Body by level\\par"
                           "\\pard\\s6 Not built in\\par\\pard\\s10 Character style number\\par"
                           "\\pard\\s1\\par\\pard\\outlinelevel0 Direct level\\par"
                           "\\pard\\s1\\outlinelevel9 Level overrides style\\par\\pard End.\\par}";
    const QStringList names{QStringLiteral("Headlines"), QStringLiteral("Weather"), QStringLiteral("Sport"),
                            QStringLiteral("Chapter three"), QStringLiteral("Direct level")};
    QTest::newRow("rtf") << "s.rtf" << rtf << names;
    QTest::newRow("vnr") << "s.vnr" << rtf << names;
    QTest::newRow("markdown") << "s.md" << QByteArray("# Top\n\nText.\n\n## Second level\n\n## \n\nEnd.\n")
                              << QStringList{QStringLiteral("Top"), QStringLiteral("Second level")};
    QTest::newRow("html") << "s.html" << QByteArray("<p>Intro</p><h1>Open</h1><p>Text</p><h3>Close</h3>")
                          << QStringList{QStringLiteral("Open"), QStringLiteral("Close")};
}

void TestMarkers::headingsAreMarkers()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, names);
    const QStringList lines = readaslines(fileName, content);
    QCOMPARE(markernamesof(lines), names);
    // Marker lines are not read aloud: only the other lines' words count.
    QStringList unmarked = lines;
    const QList<ScriptMarker> markers = findmarkers(lines);
    for (auto marker = markers.crbegin(); marker != markers.crend(); ++marker)
        unmarked.removeAt(marker->line);
    QCOMPARE(wordcount(lines), wordcount(unmarked));
}

void TestMarkers::richScriptsCountAsThePageReadsThem()
{
    // Colours, bold inside a word, references, a line break and a marker: the words counted
    // without reading each line as HTML are the words the page shows.
    const QStringList lines =
        readaslines(QStringLiteral("counted.vnr"),
                    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0 "
                    "Good {\\cf1 evening} and {\\b wel}come, caf\\'e9 & co.\\par ## Weather\\par "
                    "Line two\\line three {\\i four}\\par}");
    QVERIFY(!lines.isEmpty());
    static const QRegularExpression word(QStringLiteral("[\\w'’-]+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    int shown = 0;
    for (const QString &line : lines) {
        if (markername(line))
            continue;
        for (auto match = word.globalMatch(linetext(line)); match.hasNext(); match.next())
            ++shown;
    }
    QCOMPARE(shown, 10);
    QCOMPARE(wordcount(lines), shown);
    QCOMPARE(markernamesof(lines), QStringList{QStringLiteral("Weather")});
}

void TestMarkers::headingsKeepTheirLevelInSavedScripts()
{
    // A heading imported or typed in the quick editor is still one when its .vnr is read again.
    QTextEdit control;
    QTextCursor cursor(control.document());
    cursor.insertText(QStringLiteral("Before"));
    QTextBlockFormat heading;
    heading.setHeadingLevel(2);
    cursor.insertBlock(heading);
    cursor.insertText(QStringLiteral("Weather"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("Sun."));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("saved.vnr"));
    saverichfile(&control, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(markernamesof(readaslines(QStringLiteral("again.vnr"), file.readAll())),
             QStringList{QStringLiteral("Weather")});
}

void TestMarkers::headingsKeepTheirLookUnlessHidden_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("allcaps");
    QTest::newRow("rtf") << "s.rtf" << false;
    QTest::newRow("vnr") << "s.vnr" << false;
    QTest::newRow("vnr in capitals") << "s.vnr" << true;
}

void TestMarkers::headingsKeepTheirLookUnlessHidden()
{
    QFETCH(QString, fileName);
    QFETCH(bool, allcaps);
    const QByteArray rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s1 heading 1;}}\\f0 Intro\\par"
        "\\pard\\s1\\b\\fs40 Weather\\par\\pard\\b0\\fs24 Sun.\\par}";
    QStringList lines = readaslines(fileName, rtf);
    const QList<ScriptMarker> markers = findmarkers(lines);
    QCOMPARE(markers.size(), 1);
    QVERIFY(markers.first().heading);
    const QString name = allcaps ? QStringLiteral("WEATHER") : QStringLiteral("Weather");
    for (const MarkerDisplay display : {MarkerDisplay::Quiet, MarkerDisplay::Hidden}) {
        QStringList page = buildpage(lines, {}, PageFont{}, allcaps, false, false);
        const QStringList unmarked = page;
        markpage(page, markers, display, allcaps);
        const int at = int(page.indexOf(QRegularExpression(QStringLiteral(".*vantell-marker.*"))));
        QVERIFY(at >= 0);
        // Shown, the heading is the line it was, with the place marked before its text; hidden,
        // it is gone from the page.
        QCOMPARE(linetext(page.at(at)).trimmed(), display == MarkerDisplay::Quiet ? name : QString());
        if (display == MarkerDisplay::Quiet) {
            QString line = page.at(at);
            QCOMPARE(line.remove(QStringLiteral("<span class=\"vantell-marker\"></span>")), unmarked.at(at));
        }
    }
}

void TestMarkers::quietMarkersKeepTheLinesTags()
{
    QStringList script{QStringLiteral("Hello"),
                       QStringLiteral("</SPAN></P><P><SPAN style=\"x\">&#35;&#35; "
                                      "T<i>o</i>p</SPAN><SPAN>"),
                       QStringLiteral("<b>text</b>")};
    const QList<ScriptMarker> markers = findmarkers(script);
    QStringList page = buildpage(script, {}, PageFont{}, false, false, false);
    const QStringList unmarked = page;
    markpage(page, markers, MarkerDisplay::Quiet, true);
    const int at = int(page.indexOf(QStringLiteral("Hello<br>"))) + 1;
    QCOMPARE(page.at(at), QStringLiteral("</SPAN></P><P><SPAN style=\"x\"><span class=\"vantell-marker\" "
                                         "style=\"opacity: 0.45; font-size: 0.6em; font-style: italic;\">## "
                                         "TOP</span><i></i></SPAN><SPAN><br>"));
    // Only the marker's line changes.
    page.removeAt(at);
    QStringList others = unmarked;
    others.removeAt(at);
    QCOMPARE(page, others);
}

void TestMarkers::hiddenMarkersTakeNoLine()
{
    // The page shows a script's lines as markup: the name is what the reader would see.
    QStringList script{QStringLiteral("## &lt;Cue&gt; & go<b></b>"), QStringLiteral("Text")};
    const QList<ScriptMarker> markers = findmarkers(script);
    QCOMPARE(markers.first().name, QStringLiteral("<Cue> & go"));
    QStringList page = buildpage(script, {}, PageFont{}, false, false, false);
    QStringList quiet = page;
    markpage(page, markers, MarkerDisplay::Hidden, false);
    // Only the tags stay, and no line break: the text goes on as if the line were not there.
    QVERIFY(page.contains(QStringLiteral("<span class=\"vantell-marker\"></span><b></b>")));
    markpage(quiet, markers, MarkerDisplay::Quiet, false);
    // The name is text on the page, never markup.
    QVERIFY(quiet.join(QString()).contains(QLatin1String("## &lt;Cue&gt; &amp; go</span><b></b><br>")));
}

namespace {
// Markers whose lines are 40 pixels high at 500, 1500 and 3000, on a page of 5000 positions seen
// 600 pixels high.
PageLayout layout()
{
    PageLayout layout;
    layout.markerTops = {500, 1500, 3000};
    layout.markerBottoms = {540, 1540, 3040};
    layout.lineHeight = 40;
    layout.viewHeight = 600;
    layout.bottom = 5000;
    return layout;
}
} // namespace

void TestMarkers::markerPositionPutsTheLineAtTheReadingLine()
{
    const ReadingView third;
    QCOMPARE(markerposition(layout(), 1, third), 1300);
    QCOMPARE(markerposition(layout(), 0, ReadingView{0.0, false}), 500);
    // Near the page's start the page cannot go further up.
    PageLayout early = layout();
    early.markerTops[0] = 30;
    QCOMPARE(markerposition(early, 0, third), 0);
    early.bottom = 1000;
    QCOMPARE(markerposition(early, 2, third), 1000);
    QCOMPARE(markerposition(layout(), 7, third), 0);
}

void TestMarkers::nextAndPreviousGoOnFromMarkerToMarker()
{
    const ReadingView view;
    const PageLayout page = layout();
    QCOMPARE(nextmarker(page, 0, view, true), 0);
    // Standing at a marker (give or take the layout's rounding), the next one is the one after it.
    QCOMPARE(nextmarker(page, 300, view, true), 1);
    QCOMPARE(nextmarker(page, 302, view, true), 1);
    QCOMPARE(nextmarker(page, 300, view, false), -1);
    QCOMPARE(nextmarker(page, 1000, view, false), 0);
    QCOMPARE(nextmarker(page, 2800, view, true), -1);
    QCOMPARE(nextmarker(page, 2800, view, false), 1);
    QCOMPARE(nextmarker(PageLayout{}, 0, view, true), -1);
}

void TestMarkers::turnedPagesRunUpwards()
{
    // On a turned page the script's start is at the bottom, so the markers' page order is reversed
    // and the reading line is measured from the view's bottom.
    PageLayout page = layout();
    page.markerTops = {3000, 1500, 500};
    page.markerBottoms = {3040, 1540, 540};
    const ReadingView turned{1.0 / 3, true};
    QCOMPARE(markerposition(page, 0, turned), 3040 - 400);
    QCOMPARE(nextmarker(page, 5000, turned, true), 0);
    QCOMPARE(nextmarker(page, 3040 - 400, turned, true), 1);
    QCOMPARE(nextmarker(page, 3040 - 400, turned, false), -1);
    QCOMPARE(linesposition(page, 1000, 3, turned), 880);
}

void TestMarkers::linesMoveByTheLineHeight()
{
    const ReadingView view;
    QCOMPARE(linesposition(layout(), 1000, 5, view), 1200);
    QCOMPARE(linesposition(layout(), 1000, -5, view), 800);
    QCOMPARE(linesposition(layout(), 100, -5, view), 0);
    QCOMPARE(linesposition(layout(), 4950, 5, view), 5000);
}

void TestMarkers::glideLeapsLongJumpsAndArrivesMoving()
{
    const Glide near(100, 400, 0, 600);
    QCOMPARE(near.start(), 100);
    QCOMPARE(near.position(0), 100);
    const int middle = near.position(Glide::durationMs / 2);
    QVERIFY(middle > 250 && middle < 400); // eases out: more than half the way at half the time
    QCOMPARE(near.position(Glide::durationMs), 400);
    QVERIFY(near.finished(Glide::durationMs));

    const Glide far(0, 100000, 0, 600);
    QCOMPARE(far.start(), 99400);
    const Glide back(100000, 10, 0, 600);
    QCOMPARE(back.start(), 610);

    // Running at 1,000 pixels a second the target moves on: arriving after 250 ms, the page stands
    // 250 pixels past it and goes on at the same rate.
    const Glide running(0, 1000, 1000, 600);
    QCOMPARE(running.position(Glide::durationMs), 1250);
    QCOMPARE(running.position(Glide::durationMs + 100), 1350);
    for (double t = 0; t < Glide::durationMs; t += 16)
        QVERIFY(running.position(t) <= running.position(t + 16)); // never back and forth
}

void TestMarkers::engineGlideKeepsTheSpeed()
{
    for (const bool smooth : {false, true}) {
        FakePage page(100000);
        PromptEngine engine(page);
        engine.setSmooth(smooth);
        engine.setSpeed(200);
        const double rate = engine.rate();
        engine.glideTo(50000, 600);
        QVERIFY(engine.isGliding());
        QCOMPARE(page.rate, 0.0); // the glide places the page; its own motion waits
        QVERIFY(page.y >= 49400 && page.y < 50000);
        QTRY_VERIFY_WITH_TIMEOUT(!engine.isGliding(), 2000);
        QVERIFY(page.y >= 50000);
        QVERIFY(page.y < 50000 + rate * 1.0); // moved on at about the page's rate, no more
        QCOMPARE(engine.scrollspeed(), 200);
        QVERIFY(engine.isRunning());
        QCOMPARE(page.rate, smooth ? rate : 0.0);
    }
}

void TestMarkers::engineGlideWhilePausedStaysPaused()
{
    FakePage page(10000);
    PromptEngine engine(page);
    engine.setSpeed(100);
    engine.pause();
    engine.glideTo(300, 600);
    QCOMPARE(page.y, 0);
    QTRY_VERIFY_WITH_TIMEOUT(!engine.isGliding(), 2000);
    QCOMPARE(page.y, 300);
    QVERIFY(!engine.isRunning());
    // A second jump under way replaces the first.
    engine.glideTo(100, 600);
    QCOMPARE(engine.destination(), 100); // the next jump goes on from where this one is bound
    engine.glideTo(900, 600);
    QTRY_VERIFY_WITH_TIMEOUT(!engine.isGliding(), 2000);
    QCOMPARE(page.y, 900);
    // A reset or a placement during a glide wins: the glide's later frames do not take the page
    // back to where it was bound.
    engine.glideTo(5000, 600);
    engine.reset();
    QVERIFY(!engine.isGliding());
    QTest::qWait(400);
    QCOMPARE(page.y, 0);
    engine.glideTo(5000, 600);
    engine.jumpTo(2000);
    QTest::qWait(400);
    QCOMPARE(page.y, 2000);
}

VANTELL_CORE_TEST_MAIN(TestMarkers)
#include "test_markers.moc"

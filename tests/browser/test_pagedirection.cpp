#include <optional>

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "ui/browser/browser.h"
#include "core/engine/markerjump.h"
#include "core/engine/scriptmarkers.h"
#include "core/render/page.h"
#include "core/render/richtohtml.h"
#include "core/render/scriptloader.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "ui/toolkit/application.h"

// The direction of each paragraph of a script page, as the browser lays the page out: a line whose
// first letter belongs to a right-to-left script stands at the right and reads from the right,
// every other line stays at the left, and a rich paragraph keeps the alignment its script gave it.
// The rule is the page's, so it is checked on pages as the program builds them.
class TestPageDirection : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void plainLinesTakeTheirDirectionFromTheirText();
    void mixedLinesKeepTheBidirectionalOrder();
    void richParagraphsFollowTheirTextUnlessAligned();
    void theRuleHoldsPastBlockBreaksAndThroughAnEditOnAir();

private:
    enum class Side { Left, Right, Centre };
    bool show(const QStringList &pagelines);
    // Where the page draws the first occurrence of each of `needles` (view pixels); a needle
    // lies within one text node. Also sets the edges of the body's content.
    QHash<QString, QRectF> boxes(const QStringList &needles);
    // Whether `box` touches the content's edge on `side` (or stands in its middle).
    bool stands(const QRectF &box, Side side) const;
    std::unique_ptr<Browser> m_browser;
    double m_contentLeft = 0;
    double m_contentRight = 0;
};

namespace {

const PageFont font{QStringLiteral("Liberation Sans"), 26};

QString sideName(int side)
{
    return QStringList{QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("centre")}.value(side);
}

// A rich script's lines as the prompter makes them from its rich-text control.
QStringList richlines(QTextEdit *control)
{
    TJvRichEditToHtml converter;
    converter.Header.clear();
    converter.Footer.clear();
    QStringList lines;
    converter.RichToHtmlLines(control, lines);
    choploader(lines);
    return lines;
}

void appendParagraph(QTextEdit *control, const QString &text, Qt::Alignment alignment = Qt::AlignLeft)
{
    QTextCursor cursor(control->document());
    cursor.movePosition(QTextCursor::End);
    if (!control->document()->isEmpty())
        cursor.insertBlock();
    QTextBlockFormat format;
    format.setAlignment(alignment);
    cursor.setBlockFormat(format);
    cursor.insertText(text);
}

} // namespace

void TestPageDirection::init()
{
    m_browser = std::make_unique<Browser>();
    m_browser->resize(800, 400);
    m_browser->show();
}

void TestPageDirection::cleanup()
{
    m_browser.reset();
}

bool TestPageDirection::show(const QStringList &pagelines)
{
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    m_browser->loadPageLines(pagelines);
    return complete.wait(30000);
}

QHash<QString, QRectF> TestPageDirection::boxes(const QStringList &needles)
{
    const QString script =
        QStringLiteral("(function (needles) {"
                       "  const found = {};"
                       "  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);"
                       "  const range = document.createRange();"
                       "  for (let node = walker.nextNode(); node; node = walker.nextNode()) {"
                       "    for (const needle of needles) {"
                       "      const at = node.nodeValue.indexOf(needle);"
                       "      if (needle in found || at < 0) continue;"
                       "      range.setStart(node, at);"
                       "      range.setEnd(node, at + needle.length);"
                       "      const box = range.getBoundingClientRect();"
                       "      found[needle] = [box.left, box.top, box.width, box.height];"
                       "    }"
                       "  }"
                       "  const body = document.body.getBoundingClientRect();"
                       "  const style = getComputedStyle(document.body);"
                       "  return [found, body.left + parseFloat(style.paddingLeft),"
                       "          body.right - parseFloat(style.paddingRight)];"
                       "})(%1)")
            .arg(QString::fromUtf8(
                QJsonDocument(QJsonArray::fromStringList(needles)).toJson(QJsonDocument::Compact)));
    QVariantList answer;
    bool done = false;
    m_browser->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &value) {
        answer = value.toList();
        done = true;
    });
    if (!runEventsUntil([&] { return done; }, 10000) || answer.size() != 3)
        return {};
    m_contentLeft = answer.at(1).toDouble();
    m_contentRight = answer.at(2).toDouble();
    QHash<QString, QRectF> found;
    const QVariantMap map = answer.at(0).toMap();
    for (auto box = map.cbegin(); box != map.cend(); ++box) {
        const QVariantList r = box.value().toList();
        found.insert(box.key(),
                     QRectF(r.at(0).toDouble(), r.at(1).toDouble(), r.at(2).toDouble(), r.at(3).toDouble()));
    }
    return found;
}

bool TestPageDirection::stands(const QRectF &box, Side side) const
{
    if (box.isEmpty())
        return false;
    switch (side) {
    case Side::Left:
        return qAbs(box.left() - m_contentLeft) <= 1;
    case Side::Right:
        return qAbs(box.right() - m_contentRight) <= 1;
    case Side::Centre:
        return qAbs(box.center().x() - (m_contentLeft + m_contentRight) / 2) <= 2;
    }
    return false;
}

void TestPageDirection::plainLinesTakeTheirDirectionFromTheirText()
{
    struct Line {
        QString script; // the script's line
        QString needle; // the text at the side the line starts from
        Side side;
    };
    const QList<Line> lines{
        {QStringLiteral("Good evening from the harbour"), QStringLiteral("Good evening from the harbour"),
         Side::Left},
        {QStringLiteral("\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645"),
         QStringLiteral("\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645"),
         Side::Right},
        {QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd"),
         QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd"), Side::Right},
        // Persian, Syriac, Thaana, N'Ko
        {QStringLiteral("\u0633\u0644\u0627\u0645 \u062f\u0646\u06cc\u0627"),
         QStringLiteral("\u0633\u0644\u0627\u0645 \u062f\u0646\u06cc\u0627"), Side::Right},
        {QStringLiteral("\u072b\u0720\u0721\u0710"), QStringLiteral("\u072b\u0720\u0721\u0710"), Side::Right},
        {QStringLiteral("\u078b\u07a8\u0788\u07ac\u0780\u07a8"),
         QStringLiteral("\u078b\u07a8\u0788\u07ac\u0780\u07a8"), Side::Right},
        {QStringLiteral("\u07d2\u07de\u07cf"), QStringLiteral("\u07d2\u07de\u07cf"), Side::Right},
        // Digits and signs have no direction: the first letter decides, and without one the line
        // stays as it was.
        {QStringLiteral("123 \u05e9\u05dc\u05d5\u05dd"), QStringLiteral("123 \u05e9\u05dc\u05d5\u05dd"),
         Side::Right},
        {QStringLiteral("2024 \u2014 10:30"), QStringLiteral("2024 \u2014 10:30"), Side::Left},
        {QStringLiteral("\u0928\u092e\u0938\u094d\u0924\u0947 \u0926\u0941\u0928\u093f\u092f\u093e"),
         QStringLiteral("\u0928\u092e\u0938\u094d\u0924\u0947"), Side::Left},
        // Markup is no letter: the text in it decides.
        {QStringLiteral("<b>\u05e9\u05dc\u05d5\u05dd</b> \u05e8\u05d0\u05e9\u05d5\u05df"),
         QStringLiteral("\u05e9\u05dc\u05d5\u05dd"), Side::Right},
        {QStringLiteral("<span data-p=\"7\"></span>\u05d7\u05d3\u05e9\u05d5\u05ea"),
         QStringLiteral("\u05d7\u05d3\u05e9\u05d5\u05ea"), Side::Right},
        // Markers, shown in their quieter style.
        {QStringLiteral("## \u05e1\u05e4\u05d5\u05e8\u05d8"),
         QStringLiteral("## \u05e1\u05e4\u05d5\u05e8\u05d8"), Side::Right},
        {QStringLiteral("## Weather"), QStringLiteral("## Weather"), Side::Left},
    };
    const QLocale locale;
    for (bool capitals : {false, true}) {
        QStringList script;
        QStringList needles;
        for (const Line &line : lines) {
            script << line.script;
            needles << (capitals ? locale.toUpper(line.needle) : line.needle);
        }
        QStringList page = buildpage(script, {}, font, capitals, false, false);
        markpage(page, findmarkers(script), MarkerDisplay::Quiet, capitals);
        QVERIFY(show(page));
        const QHash<QString, QRectF> found = boxes(needles);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QRectF box = found.value(needles.at(i));
            QVERIFY2(
                stands(box, lines.at(i).side),
                qPrintable(QStringLiteral("\"%1\" (capitals %2) stands at %3..%4, not at the %5 (%6..%7)")
                               .arg(needles.at(i))
                               .arg(capitals)
                               .arg(box.left())
                               .arg(box.right())
                               .arg(sideName(int(lines.at(i).side)))
                               .arg(m_contentLeft)
                               .arg(m_contentRight)));
        }
        // Jumps find the markers where their lines are, the right-to-left one too.
        std::optional<PageLayout> layout;
        m_browser->measureLayout([&layout](const PageLayout &measured) { layout = measured; });
        QVERIFY(runEventsUntil([&layout] { return layout.has_value(); }, 10000));
        QCOMPARE(layout->markerTops.size(), 2);
        const QList<QRectF> markerLines{found.value(needles.at(lines.size() - 2)),
                                        found.value(needles.last())};
        for (qsizetype i = 0; i < markerLines.size(); ++i) {
            QVERIFY(layout->markerTops.at(i) <= markerLines.at(i).top() + 1);
            QVERIFY(layout->markerBottoms.at(i) >= markerLines.at(i).bottom() - 1);
        }
    }
}

void TestPageDirection::mixedLinesKeepTheBidirectionalOrder()
{
    const QString hello = QStringLiteral("Hello");
    const QString arabic = QStringLiteral("\u0645\u0631\u062d\u0628\u0627");
    const QString hebrew = QStringLiteral("\u05e9\u05dc\u05d5\u05dd");
    const QString there = QStringLiteral("there");
    QStringList script{hello + u' ' + arabic, hebrew + u' ' + there};
    QVERIFY(show(buildpage(script, {}, font, false, false, false)));
    const QHash<QString, QRectF> found = boxes({hello, arabic, hebrew, there});
    // A line that starts in English reads from the left, its Arabic word to the right of it; one
    // that starts in Hebrew reads from the right, its English word to the left of it.
    QVERIFY(stands(found.value(hello), Side::Left));
    QVERIFY(found.value(hello).right() < found.value(arabic).left());
    QVERIFY(stands(found.value(hebrew), Side::Right));
    QVERIFY(found.value(there).right() < found.value(hebrew).left());
}

void TestPageDirection::richParagraphsFollowTheirTextUnlessAligned()
{
    struct Paragraph {
        QString text;
        Qt::Alignment alignment;
        Side side;
    };
    // Left is every paragraph's own alignment, which the rich-text writer does not even write:
    // such a paragraph starts where its text's direction starts.
    const QList<Paragraph> paragraphs{
        {QStringLiteral("English as it was"), Qt::AlignLeft, Side::Left},
        {QStringLiteral("\u0645\u0631\u062d\u0628\u0627 \u0628\u0643\u0645"), Qt::AlignLeft, Side::Right},
        {QStringLiteral("\u05e9\u05dc\u05d5\u05dd \u05d1\u05de\u05e8\u05db\u05d6"), Qt::AlignHCenter,
         Side::Centre},
        {QStringLiteral("English on purpose"), Qt::AlignRight, Side::Right},
        {QStringLiteral("\u05de\u05d9\u05de\u05d9\u05df"), Qt::AlignRight, Side::Right},
        {QStringLiteral("English justified"), Qt::AlignJustify, Side::Left},
        {QStringLiteral("\u0646\u0635 \u0645\u0636\u0628\u0648\u0637"), Qt::AlignJustify, Side::Right},
        {QStringLiteral("Back to English"), Qt::AlignLeft, Side::Left},
    };
    QTextEdit control;
    for (const Paragraph &paragraph : paragraphs)
        appendParagraph(&control, paragraph.text, paragraph.alignment);
    // A bulleted paragraph is a list item: its text starts at the right as well.
    const QString item = QStringLiteral("\u0628\u0646\u062f");
    appendParagraph(&control, item);
    QTextCursor(control.document()->lastBlock()).createList(QTextListFormat::ListDisc);
    const QStringList lines = richlines(&control);
    const QLocale locale;
    for (bool capitals : {false, true}) {
        QStringList script = lines;
        QStringList needles;
        for (const Paragraph &paragraph : paragraphs)
            needles << (capitals ? locale.toUpper(paragraph.text) : paragraph.text);
        QVERIFY(show(buildpage(script, {}, font, capitals, false, false)));
        const QHash<QString, QRectF> found = boxes(needles + QStringList{item});
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            const QRectF box = found.value(needles.at(i));
            QVERIFY2(stands(box, paragraphs.at(i).side),
                     qPrintable(QStringLiteral("\"%1\" (capitals %2) stands at %3..%4, not at the %5")
                                    .arg(needles.at(i))
                                    .arg(capitals)
                                    .arg(box.left())
                                    .arg(box.right())
                                    .arg(sideName(int(paragraphs.at(i).side)))));
        }
        QVERIFY(found.value(item).left() > (m_contentLeft + m_contentRight) / 2);
    }
}

void TestPageDirection::theRuleHoldsPastBlockBreaksAndThroughAnEditOnAir()
{
    // Long scripts are drawn in blocks of lines (Browser::pagebytes), a rich paragraph running
    // across them; a newsroom's edit puts a new body into the page shown.
    const auto arabicLine = [](int i) { return QStringLiteral("\u0633\u0637\u0631 %1").arg(i); };
    const auto englishLine = [](int i) { return QStringLiteral("line %1").arg(i); };
    QTextEdit control;
    QStringList plain;
    for (int i = 0; i < 150; ++i) {
        const QString text = i % 2 ? englishLine(i) : arabicLine(i);
        plain << text;
        appendParagraph(&control, text);
    }
    const QStringList needles{arabicLine(100), englishLine(101), arabicLine(140), englishLine(141)};
    for (const QStringList &script : {plain, richlines(&control)}) {
        QStringList lines = script;
        const QStringList page = buildpage(lines, {}, font, false, false, false);
        QVERIFY(Browser::pagebytes(page).count("display:block") >= 2);
        QVERIFY(show(page));
        const QHash<QString, QRectF> found = boxes(needles);
        QVERIFY(stands(found.value(arabicLine(100)), Side::Right));
        QVERIFY(stands(found.value(englishLine(101)), Side::Left));
        QVERIFY(stands(found.value(arabicLine(140)), Side::Right));
        QVERIFY(stands(found.value(englishLine(141)), Side::Left));
    }

    // The edit turns line 101 into Hebrew and line 100 into English.
    const QString hebrew = QStringLiteral("\u05e9\u05d5\u05e8\u05d4 \u05d7\u05d3\u05e9\u05d4");
    const QString english = QStringLiteral("an English line now");
    QStringList edited = plain;
    edited[100] = english;
    edited[101] = hebrew;
    bool replaced = false;
    QVERIFY(m_browser->replaceScript(buildpage(edited, {}, font, false, false, false), {},
                                     [&replaced] { replaced = true; }));
    QVERIFY(runEventsUntil([&replaced] { return replaced; }, 10000));
    const QHash<QString, QRectF> found = boxes({english, hebrew, arabicLine(140)});
    QVERIFY(stands(found.value(english), Side::Left));
    QVERIFY(stands(found.value(hebrew), Side::Right));
    QVERIFY(stands(found.value(arabicLine(140)), Side::Right));
}

VANTELL_UI_TEST_MAIN(TestPageDirection)
#include "test_pagedirection.moc"

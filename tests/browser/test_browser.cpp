#include <QDateTime>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "ui/browser/browser.h"
#include "core/render/page.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "ui/toolkit/application.h"

class TestBrowser : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pageTextArrivesAsUtf8();
    void scriptPagesRunNoCode();
    void scriptPagesReachNoNetwork();
    void installedPagesReachEachOtherButNoNetwork();
    void scrollRequestsMoveAndReport();
    void requestsForAReplacedDocumentAreDropped();
    void theLastPageAskedForIsShownWhateverTheMoment();
    void aNewPageLeavesNoHistory();
    void stepsAddUpAgainstTheLivePosition();
    void scrollRequestsWithoutDocumentAreIgnored();
    void largePageLoads();
    void blockBreaksDrawNothing();
    void answersTellThePagesEndAndTime();
    void wheelMovementsAreReported();
    void followPlacesAndCoalesces();
    void followExtrapolatesAMovingPage();
    void layoutWidthBreaksLinesAsTheOtherView();
    void displayOnlyPageTakesNoFocusAndIgnoresWheelAndKeys();
    void answersOnTheirWayAsTheBrowserGoesAreDropped();

private:
    bool load(const QStringList &scriptlines);
    // Runs a scroll request and waits for the page's answer.
    void settle(const std::function<void(std::function<void()>)> &request);
    QVariant evaluate(const QString &script);
    bool navigateAndWait(const QUrl &url);
    std::unique_ptr<Browser> m_browser;
};

void TestBrowser::init()
{
    m_browser = std::make_unique<Browser>();
    m_browser->resize(800, 400);
    m_browser->show();
}

void TestBrowser::cleanup()
{
    m_browser.reset();
}

bool TestBrowser::load(const QStringList &scriptlines)
{
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    QStringList lines = scriptlines;
    m_browser->loadPageLines(
        buildpage(lines, {}, PageFont{QStringLiteral("Liberation Sans"), 30}, false, false, false));
    return complete.wait(30000);
}

void TestBrowser::settle(const std::function<void(std::function<void()>)> &request)
{
    bool done = false;
    request([&done] { done = true; });
    QVERIFY(runEventsUntil([&done] { return done; }, 10000));
}

QVariant TestBrowser::evaluate(const QString &script)
{
    QVariant result;
    bool done = false;
    m_browser->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!runEventsUntil([&] { return done; }, 10000))
        return {};
    return result;
}

bool TestBrowser::navigateAndWait(const QUrl &url)
{
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    m_browser->navigate(url);
    return complete.wait(30000) && m_browser->url() == url;
}

void TestBrowser::pageTextArrivesAsUtf8()
{
    const QString text =
        QStringLiteral("caf\u00e9 \u00fcber \u2014 \u041f\u0440\u0438\u0432\u0435\u0442 \u6f22\u5b57");
    QVERIFY(load({text}));
    QCOMPARE(evaluate(QStringLiteral("document.body.innerText.trim()")).toString(), text);
    QCOMPARE(evaluate(QStringLiteral("document.characterSet")).toString(), QStringLiteral("UTF-8"));
}

void TestBrowser::scriptPagesRunNoCode()
{
    QVERIFY(load({QStringLiteral("<script>document.title='x'</script>"),
                  QStringLiteral("<img src=\"data:,\" onerror=\"document.title='y'\">")}));
    runEventsFor(300);
    QCOMPARE(m_browser->title(), QStringLiteral("Untitled Document"));
}

void TestBrowser::scriptPagesReachNoNetwork()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QString image = QStringLiteral("<img src=\"http://127.0.0.1:%1/x.png\">").arg(server.serverPort());
    QVERIFY(load({image, QStringLiteral("<link rel=\"stylesheet\" href=\"http://127.0.0.1:%1/s.css\">")
                             .arg(server.serverPort())}));
    QVERIFY(!server.waitForNewConnection(1500));

    // The same image on a web page does reach the server: the check above can fail.
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    m_browser->navigate(QUrl(QStringLiteral("data:text/html,") + image));
    QVERIFY(server.waitForNewConnection(10000) ||
            runEventsUntil([&] { return server.hasPendingConnections(); }));
}

// Pages installed with the program (the help) are files: they load their style sheet and lead to
// each other, but neither what they show nor where their links lead comes from the network.
void TestBrowser::installedPagesReachEachOtherButNoNetwork()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QString network = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());
    QTemporaryDir folder;
    const auto write = [&folder](const QString &name, const QString &text) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
    };
    QVERIFY(write(QStringLiteral("style.css"), QStringLiteral("body { color: rgb(0, 128, 0); }")));
    QVERIFY(write(QStringLiteral("index.html"),
                  QStringLiteral("<!DOCTYPE html><html><head><title>Index</title>"
                                 "<link rel=\"stylesheet\" href=\"style.css\">"
                                 "<link rel=\"stylesheet\" href=\"%1s.css\"></head><body>"
                                 "<img src=\"%1x.png\"><a id=\"next\" href=\"next.html\">next</a>"
                                 "<a id=\"out\" href=\"%1\">out</a></body></html>")
                      .arg(network)));
    QVERIFY(write(QStringLiteral("next.html"), QStringLiteral("<!DOCTYPE html><title>Next</title>")));
    const QUrl index = QUrl::fromLocalFile(folder.filePath(QStringLiteral("index.html")));

    QVERIFY(navigateAndWait(index));
    QCOMPARE(evaluate(QStringLiteral("getComputedStyle(document.body).color")).toString(),
             QStringLiteral("rgb(0, 128, 0)"));
    QVERIFY(!m_browser->isScriptPage());

    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    evaluate(QStringLiteral("document.getElementById('next').click()"));
    QVERIFY(complete.wait(30000));
    QCOMPARE(m_browser->title(), QStringLiteral("Next"));

    QVERIFY(navigateAndWait(index));
    evaluate(QStringLiteral("document.getElementById('out').click()"));
    runEventsFor(1500);
    QVERIFY(!server.hasPendingConnections());

    // The program itself still leads from such a page to the network (the service's pages).
    m_browser->navigate(QUrl(network));
    QVERIFY(runEventsUntil([&] { return server.hasPendingConnections(); }, 10000));
}

void TestBrowser::scrollRequestsMoveAndReport()
{
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QStringLiteral("line %1").arg(i);
    QVERIFY(load(lines));
    settle([this](auto done) { m_browser->scrollToBottom(done); });
    const int bottom = m_browser->scrollPosition();
    QVERIFY(bottom > 2000);
    settle([this](auto done) { m_browser->scrollTo(5, 100, done); });
    QCOMPARE(m_browser->scrollPosition(), 100);
    QCOMPARE(evaluate(QStringLiteral("window.scrollX")).toInt(), 0);
    settle([this, bottom](auto done) { m_browser->scrollTo(0, bottom + 5000, done); });
    QCOMPARE(m_browser->scrollPosition(), bottom);
    settle([this](auto done) { m_browser->scrollTo(0, -40, done); });
    QCOMPARE(m_browser->scrollPosition(), 0);
    settle([this](auto done) { m_browser->scrollTo(0, 70, done); });
    settle([this](auto done) { m_browser->scrollToTop(done); });
    QCOMPARE(m_browser->scrollPosition(), 0);
}

void TestBrowser::requestsForAReplacedDocumentAreDropped()
{
    QVERIFY(load({QStringLiteral("one")}));
    bool answered = false;
    m_browser->scrollToBottom([&answered] { answered = true; });
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    QStringList lines{QStringLiteral("two")};
    m_browser->loadPageLines(
        buildpage(lines, {}, PageFont{QStringLiteral("Liberation Sans"), 30}, false, false, false));
    // Requests made while the new document loads are ignored.
    bool duringLoad = false;
    m_browser->scrollToTop([&duringLoad] { duringLoad = true; });
    QVERIFY(complete.wait(30000));
    runEventsFor(200);
    QVERIFY(!duringLoad);
    Q_UNUSED(answered); // may or may not have come before the new load started
}

void TestBrowser::theLastPageAskedForIsShownWhateverTheMoment()
{
    // A page asked for at any moment of the load before it (as a story's text coming just after
    // its running order) is the page shown in the end, never the one before it.
    const auto pageOf = [](const QString &text) {
        QStringList lines{text};
        return buildpage(lines, {}, PageFont{QStringLiteral("Liberation Sans"), 30}, false, false, false);
    };
    for (int delayMs = 0; delayMs <= 120; delayMs += 4) {
        QVERIFY(load({QStringLiteral("resting")}));
        const QString wanted = QStringLiteral("second %1").arg(delayMs);
        bool asked = false;
        auto once = std::make_shared<QMetaObject::Connection>();
        *once = connect(m_browser->page(), &QWebEnginePage::loadStarted, this, [&, once] {
            disconnect(*once);
            QTimer::singleShot(delayMs, m_browser.get(), [&] {
                m_browser->loadPageLines(pageOf(wanted));
                asked = true;
            });
        });
        m_browser->loadPageLines(pageOf(QStringLiteral("first %1").arg(delayMs)));
        QVERIFY(runEventsUntil([&] { return asked && m_browser->isDocumentComplete(); }, 10000));
        runEventsFor(300);
        QVERIFY(runEventsUntil([&] { return m_browser->isDocumentComplete(); }, 10000));
        QCOMPARE(evaluate(QStringLiteral("document.body.innerText.trim()")).toString(), wanted);
    }
}

void TestBrowser::aNewPageLeavesNoHistory()
{
    // A show loads a script every few minutes for hours: the pages before are not kept.
    for (int page = 0; page < 3; ++page) {
        QVERIFY(load({QStringLiteral("page %1").arg(page)}));
        QCOMPARE(m_browser->history()->count(), 1);
    }
}

void TestBrowser::stepsAddUpAgainstTheLivePosition()
{
    QStringList lines;
    for (int i = 0; i < 400; ++i)
        lines << QStringLiteral("line %1").arg(i);
    QVERIFY(load(lines));
    settle([this](auto done) { m_browser->scrollToTop(done); });
    for (int i = 0; i < 100; ++i)
        m_browser->scrollStep(3);
    WAIT_COMPARE(m_browser->scrollPosition(), 300);
    // A movement made in the page between steps (wheel, keys) is kept.
    QCOMPARE(evaluate(QStringLiteral("window.scrollBy(0, 1000); window.scrollY")).toInt(), 1300);
    m_browser->scrollStep(-7);
    WAIT_COMPARE(m_browser->scrollPosition(), 1293);
}

void TestBrowser::scrollRequestsWithoutDocumentAreIgnored()
{
    Browser fresh;
    QCOMPARE(fresh.scrollPosition(), -1);
    bool called = false;
    fresh.scrollToBottom([&called] { called = true; });
    fresh.scrollTo(0, 10, [&called] { called = true; });
    fresh.scrollStep(5);
    runEventsFor(100);
    QVERIFY(!called);
    QCOMPARE(fresh.scrollPosition(), -1);
}

void TestBrowser::largePageLoads()
{
    // Pages past 2 MB must load too (the limit of setHtml).
    QStringList lines;
    const QString text =
        QStringLiteral("\u0416\u0416\u0416\u0416\u0416 \u00e9\u00e9\u00e9\u00e9 words and words");
    for (int i = 0; i < 60000; ++i)
        lines << text + QString::number(i);
    QVERIFY(load(lines));
    QCOMPARE(evaluate(QStringLiteral("(document.body.textContent.match(/words and words/g) || []).length"))
                 .toInt(),
             60000);
}

void TestBrowser::blockBreaksDrawNothing()
{
    // A rich page whose paragraphs, list items and spans run across the block breaks, with empty
    // lines among them, draws exactly as the same page without the breaks.
    QStringList lines;
    lines << QStringLiteral(
        "<P STYLE=\"text-align: center;\"><SPAN style=\"color: #FF0000; font-size: 20pt;\">");
    for (int i = 0; i < 150; ++i) {
        if (i % 7 == 3)
            lines << QString();
        else if (i == 80)
            lines << QStringLiteral(
                "</SPAN></P><LI STYLE=\"text-align: left;\"><SPAN style=\"color: #00FF00;\">item");
        else
            lines << QStringLiteral("caf\u00e9 line %1 \u2014 with words enough to wrap in a narrow view")
                         .arg(i);
    }
    QStringList page =
        buildpage(lines, {}, PageFont{QStringLiteral("Liberation Sans"), 22}, false, false, false);
    QVERIFY(Browser::pagebytes(page).count("display:block") >= 2);

    const auto grabAt = [this](int y) {
        settle([this, y](auto done) { m_browser->scrollTo(0, y, done); });
        runEventsFor(300);
        return m_browser->grab().toImage();
    };
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    m_browser->loadPageLines(page);
    QVERIFY(complete.wait(30000));
    const QList<QImage> split{grabAt(0), grabAt(2400), grabAt(4000)};
    const QByteArray plain = page.join(QStringLiteral("\r\n")).toUtf8();
    m_browser->navigate(
        QUrl(QStringLiteral("data:text/html;charset=utf-8;base64,") + QString::fromLatin1(plain.toBase64())));
    QVERIFY(complete.wait(30000));
    QCOMPARE(grabAt(0), split.at(0));
    QCOMPARE(grabAt(2400), split.at(1));
    QCOMPARE(grabAt(4000), split.at(2));
}

namespace {
QStringList numberedLines(int count, const QString &text = QStringLiteral("line %1"))
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << text.arg(i);
    return lines;
}
} // namespace

void TestBrowser::answersTellThePagesEndAndTime()
{
    QVERIFY(load(numberedLines(300)));
    const double before = QDateTime::currentMSecsSinceEpoch();
    settle([this](auto done) { m_browser->scrollTo(0, 100, done); });
    const double after = QDateTime::currentMSecsSinceEpoch();
    const int bottom = m_browser->scrollBottom();
    QVERIFY(bottom > 3000);
    // The time is the page's clock, which runs with the system's.
    QVERIFY2(
        m_browser->positionTime() > before - 100 && m_browser->positionTime() < after + 100,
        qPrintable(QStringLiteral("%1 not in %2..%3").arg(m_browser->positionTime()).arg(before).arg(after)));
    settle([this](auto done) { m_browser->scrollToBottom(done); });
    QCOMPARE(m_browser->scrollPosition(), bottom);
    QCOMPARE(m_browser->scrollBottom(), bottom);
    // A taller view has less to scroll.
    m_browser->resize(800, 600);
    WAIT_COMPARE(m_browser->scrollBottom(), bottom - 200);
}

void TestBrowser::wheelMovementsAreReported()
{
    QVERIFY(load(numberedLines(300)));
    settle([this](auto done) { m_browser->scrollToTop(done); });
    QSignalSpy reported(m_browser.get(), &Browser::scrollPositionChanged);
    QWidget *input = m_browser->focusProxy();
    const QPointF at(100, 100);
    // A browser still busy with its first frames may drop a wheel turn, as it may for a user; the user turns
    // the wheel again, and so does the test, up to a few times on a loaded machine.
    bool moved = false;
    for (int turn = 0; turn < 5 && !moved; ++turn) {
        QWheelEvent wheel(at, input->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(input, &wheel);
        // The page moves by itself; its resting place is reported without anyone asking.
        moved = runEventsUntil([&] { return m_browser->scrollPosition() > 50; }, 4000);
    }
    QVERIFY(moved);
    QCOMPARE(evaluate(QStringLiteral("Math.round(window.scrollY)")).toInt(), m_browser->scrollPosition());
    QVERIFY(!reported.isEmpty());
}

void TestBrowser::followPlacesAndCoalesces()
{
    QVERIFY(load(numberedLines(400)));
    QSignalSpy reported(m_browser.get(), &Browser::scrollPositionChanged);
    for (int y = 1; y <= 200; ++y)
        m_browser->follow(y * 10, 0, 0);
    WAIT_COMPARE(m_browser->scrollPosition(), 2000);
    // Requests waiting behind one on its way were replaced by the newest.
    QVERIFY2(reported.size() < 100, qPrintable(QString::number(reported.size())));
    QCOMPARE(evaluate(QStringLiteral("Math.round(window.scrollY)")).toInt(), 2000);
    // Places beyond the page stop at its end.
    m_browser->follow(m_browser->scrollBottom() + 5000, 0, 0);
    WAIT_COMPARE(m_browser->scrollPosition(), m_browser->scrollBottom());
    // Requests are ignored while a document loads.
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    QStringList lines = numberedLines(400);
    m_browser->loadPageLines(
        buildpage(lines, {}, PageFont{QStringLiteral("Liberation Sans"), 30}, false, false, false));
    m_browser->follow(700, 0, 0);
    QVERIFY(complete.wait(30000));
    runEventsFor(200);
    QCOMPARE(evaluate(QStringLiteral("Math.round(window.scrollY)")).toInt(), 0);
}

void TestBrowser::followExtrapolatesAMovingPage()
{
    QVERIFY(load(numberedLines(2000)));
    // A page that stood at 1000 half a second ago and moves at 400 px/s stands at 1200 now.
    const double halfASecondAgo = QDateTime::currentMSecsSinceEpoch() - 500;
    m_browser->follow(1000, halfASecondAgo, 400);
    WAIT_VERIFY(m_browser->scrollPosition() > 0);
    QVERIFY2(std::abs(m_browser->scrollPosition() - 1200) < 40,
             qPrintable(QString::number(m_browser->scrollPosition())));
    QCOMPARE(m_browser->smoothMotion(), 400.0);
    // And it moves on at that rate.
    runEventsFor(500);
    settle([this](auto done) { m_browser->queryPosition(done); });
    const double expected = 1000 + 400 * (m_browser->positionTime() - halfASecondAgo) / 1000;
    QVERIFY2(std::abs(m_browser->scrollPosition() - expected) < 20,
             qPrintable(QStringLiteral("%1, expected %2").arg(m_browser->scrollPosition()).arg(expected)));
    // Rate 0 holds it.
    m_browser->follow(3000, 0, 0);
    WAIT_COMPARE(m_browser->scrollPosition(), 3000);
    runEventsFor(300);
    settle([this](auto done) { m_browser->queryPosition(done); });
    QCOMPARE(m_browser->scrollPosition(), 3000);
}

void TestBrowser::layoutWidthBreaksLinesAsTheOtherView()
{
    // Long lines that wrap: a view 1.6 times as wide, laid out at the first view's width, breaks
    // them in the same places and is 1.6 times as tall.
    const QStringList lines = numberedLines(
        120, QStringLiteral("Paragraph %1 with enough words in it to wrap once or twice in a view that is "
                            "five hundred pixels wide, and perhaps a third time"));
    Browser narrow;
    narrow.resize(500, 300);
    narrow.show();
    QSignalSpy narrowComplete(&narrow, &Browser::documentComplete);
    QStringList copy = lines;
    const QStringList page =
        buildpage(copy, {}, PageFont{QStringLiteral("Liberation Sans"), 30}, false, false, false);
    narrow.loadPageLines(page);
    QVERIFY(narrowComplete.wait(30000));
    settle([&narrow](auto done) { narrow.queryPosition(done); });

    m_browser->resize(800, 480);
    m_browser->setLayoutWidth(500);
    QCOMPARE(m_browser->pageScale(), 1.6);
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    m_browser->loadPageLines(page);
    QVERIFY(complete.wait(30000));
    settle([this](auto done) { m_browser->queryPosition(done); });
    // The ends: the narrow view's page height, scaled, less the wide view's height.
    const int narrowHeight = narrow.scrollBottom() + 300;
    QVERIFY(narrowHeight > 120 * 40 * 2);
    QVERIFY2(
        std::abs(m_browser->scrollBottom() + 480 - narrowHeight * 1.6) <= 2,
        qPrintable(QStringLiteral("%1 vs %2").arg(m_browser->scrollBottom() + 480).arg(narrowHeight * 1.6)));
    // Without a layout width the page fills the view again.
    m_browser->setLayoutWidth(0);
    QCOMPARE(m_browser->pageScale(), 1.0);
    WAIT_VERIFY(m_browser->scrollBottom() + 480 < narrowHeight);
}

void TestBrowser::displayOnlyPageTakesNoFocusAndIgnoresWheelAndKeys()
{
    m_browser->setDisplayOnly();
    QVERIFY(load(numberedLines(300)));
    QCOMPARE(m_browser->focusPolicy(), Qt::NoFocus);
    QWidget *input = m_browser->focusProxy();
    QVERIFY(input);
    QCOMPARE(input->focusPolicy(), Qt::NoFocus);
    QSignalSpy keys(m_browser.get(), &Browser::pageKeyDown);
    QTest::keyClick(input, Qt::Key_PageDown);
    QCOMPARE(keys.size(), 1);
    QCOMPARE(keys.at(0).at(0).toInt(), int(Qt::Key_PageDown));
    const QPointF at(100, 100);
    QWheelEvent wheel(at, input->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(input, &wheel);
    runEventsFor(500);
    QCOMPARE(evaluate(QStringLiteral("window.scrollY")).toInt(), 0);
}

void TestBrowser::answersOnTheirWayAsTheBrowserGoesAreDropped()
{
    QVERIFY(load(numberedLines(300)));
    // A request made from an answer that came while the browser went would make a new page in the
    // half destroyed view.
    Browser *browser = m_browser.get();
    int answered = 0;
    for (int i = 0; i < 20; ++i)
        browser->scrollTo(0, i * 10, [browser, &answered] {
            ++answered;
            browser->scrollToBottom();
        });
    m_browser.reset();
    runEventsFor(300);
    QCOMPARE(answered, 0);
}

VANTELL_UI_TEST_MAIN(TestBrowser)
#include "test_browser.moc"

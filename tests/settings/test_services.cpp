#include <QAction>
#include <QBuffer>
#include <QDesktopServices>
#include <QLabel>
#include <QPdfDocument>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "localwebservice.h"
#include "core/platform/datapaths.h"
#include "ui/prompter/tform1.h"
#include "core/settings/httpprobe.h"
#include "ui/settings/taboutform.h"
#include "testsupport/eventwait.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/pdfprinter.h"
#include "ui/toolkit/toolimage.h"

// Receives the addresses the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

// The start page, the update notice, the help (the service's, or the installed pages without it),
// the about window and printing, against the program's own web service on 127.0.0.1.
class TestServices : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void offlineStartIsSilentAndRequestsNothing();
    void startPageShownWhenTheServiceAnswers();
    void updatePageDisablesPanelsWithOneNoticePerLoad();
    void helpShownAndLeft();
    void installedHelpShownWithoutTheService();
    void helpWithoutServiceOrInstalledPagesIsExplained();
    void aboutWindowShowsItsTextsAndOpensTheSite();
    void printPreviewOfAThreeLinePageHasOnePage();
    void lightColoursPrintDarkerInTheirHue();
    void printingToAFileKeepsTheDocument();

private:
    // Points the program at the service, probe included.
    void online();
    static bool waitForPage(TForm1 *form, const QString &path);
    // Loads a script long enough to scroll and moves its page away from the start.
    static void showScrolledScript(TForm1 *form);
    // The second click on Toggle Help: back to the script, at its start.
    static void leaveHelp(TForm1 *form, const ScriptedDialogs &dialogs);
    static QVariant evaluate(TForm1 *form, const QString &script);

    LocalWebService m_service;
};

namespace {
const QString updateNotice = QStringLiteral(
    "A new version of Vantell is available and this version is no longer supported.\r\n\r\nPlease click the "
    "download links in the teleprompter display window to install the latest version of Vantell.");
}

void TestServices::initTestCase()
{
    QVERIFY(m_service.listen());
    m_service.setHelpDirectory(DataPaths::find(QStringLiteral("help")));
    QVERIFY(!DataPaths::find(QStringLiteral("help/index.html")).isEmpty());
}

void TestServices::init()
{
    m_service.setCurrentVersion(QStringLiteral(VANTELL_VERSION));
    qputenv("VANTELL_SERVICE_URL", m_service.url().toEncoded());
    qputenv("VANTELL_HELP_URL", m_service.url().toEncoded());
}

void TestServices::cleanup()
{
    DataPaths::overrideSearchDirs({});
}

void TestServices::online()
{
    qputenv("VANTELL_PROBE_URL", m_service.url().toEncoded());
}

bool TestServices::waitForPage(TForm1 *form, const QString &path)
{
    return QTest::qWaitFor(
        [form, &path] { return form->wb1->url().path() == path && form->wb1->isDocumentComplete(); }, 30000);
}

void TestServices::showScrolledScript(TForm1 *form)
{
    QStringList lines{QStringLiteral("Good evening.")};
    for (int i = 1; i < 200; ++i)
        lines << QStringLiteral("Line %1").arg(i);
    form->promptstate.scriptlines = lines;
    QVERIFY(reloadAndWait(form));
    QVERIFY(settle([form](auto done) { form->wb1->scrollTo(0, 500, done); }));
    QCOMPARE(form->wb1->scrollPosition(), 500);
}

void TestServices::leaveHelp(TForm1 *form, const ScriptedDialogs &dialogs)
{
    QSignalSpy measured(form, &TForm1::pageMeasured);
    emit form->Image13->mouseUp(Qt::RightButton);
    QVERIFY(!form->promptstate.helpshown);
    QVERIFY(measured.wait(20000));
    QVERIFY(form->wb1->isScriptPage());
    QVERIFY(form->promptstate.pagelines.contains(QStringLiteral("Good evening.<br>")));
    QCOMPARE(form->wb1->scrollPosition(), 0);
    QVERIFY(dialogs.messages().isEmpty());
}

QVariant TestServices::evaluate(TForm1 *form, const QString &script)
{
    QVariant result;
    bool done = false;
    form->wb1->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    runEventsUntil([&done] { return done; }, 10000);
    return result;
}

void TestServices::offlineStartIsSilentAndRequestsNothing()
{
    UiTestEnvironment env; // its probe asks a port where nothing answers
    const qsizetype before = m_service.requests().size();
    TForm1 *form = env.start();
    QTRY_COMPARE_WITH_TIMEOUT(form->http1->pending(), 0, 10000);
    QCOMPARE(m_service.requests().size(), before);
    QVERIFY(env.dialogs.messages().isEmpty());
    QVERIFY(form->wb1->isScriptPage());
    QCOMPARE(form->Label4->text(), QStringLiteral("No Script."));
    QCOMPARE(form->Label1->text(), QStringLiteral("Paused..."));
}

void TestServices::startPageShownWhenTheServiceAnswers()
{
    UiTestEnvironment env;
    online();
    TForm1 *form = env.start();
    QCOMPARE(form->webquery, QStringLiteral("?v=2.2.1&t=H"));
    QVERIFY(waitForPage(form, QStringLiteral("/vantell/cgi/vn2.cgi")));
    QCOMPARE(form->wb1->url().query(), QStringLiteral("v=2.2.1&t=H"));
    QVERIFY(m_service.requests().contains(QStringLiteral("GET /vantell/cgi/vn2.cgi?v=2.2.1&t=H")));
    QVERIFY(form->Panel5->isEnabled() && form->Panel2->isEnabled());
    QVERIFY(env.dialogs.messages().isEmpty());
}

void TestServices::updatePageDisablesPanelsWithOneNoticePerLoad()
{
    m_service.setCurrentVersion(QStringLiteral("9.9.9"));
    UiTestEnvironment env;
    online();
    TForm1 *form = env.start();
    QVERIFY(waitForPage(form, QStringLiteral("/vantell/newversionh.html")));
    QTRY_COMPARE_WITH_TIMEOUT(env.dialogs.messages(), QStringList{updateNotice}, 10000);
    QVERIFY(!form->Panel5->isEnabled());
    QVERIFY(!form->Panel2->isEnabled());
    // The browser, its keys and the sliders stay usable.
    QVERIFY(form->wb1->isEnabled() && form->Panel3->isEnabled());

    // Each load of an update page tells it again, once.
    QSignalSpy measured(form, &TForm1::pageMeasured);
    form->wb1->navigate(form->wb1->url());
    QVERIFY(measured.wait(20000));
    // The notice of a load is shown before that page is measured.
    QCOMPARE(env.dialogs.messages(), (QStringList{updateNotice, updateNotice}));
}

void TestServices::helpShownAndLeft()
{
    UiTestEnvironment env;
    online();
    TForm1 *form = env.start();
    QVERIFY(waitForPage(form, QStringLiteral("/vantell/cgi/vn2.cgi")));
    showScrolledScript(form);
    if (QTest::currentTestFailed())
        return;

    emit form->Image13->mouseUp(Qt::LeftButton);
    QVERIFY(waitForPage(form, QStringLiteral("/help/")));
    QCOMPARE(form->wb1->url().port(), int(m_service.port()));
    QVERIFY(form->promptstate.helpshown);
    QVERIFY(form->wb1->title().contains(QStringLiteral("Vantell Help")));
    QVERIFY(m_service.requests().contains(QStringLiteral("GET /help/")));

    leaveHelp(form, env.dialogs);
}

void TestServices::installedHelpShownWithoutTheService()
{
    UiTestEnvironment env; // the probe finds no service; the help address would still be the service
    TForm1 *form = env.start();
    showScrolledScript(form);
    if (QTest::currentTestFailed())
        return;
    const qsizetype requestsBefore = m_service.requests().size();

    // A second click while the first one's probe is under way neither asks again nor hides the help.
    emit form->Image13->mouseUp(Qt::LeftButton);
    emit form->Image13->mouseUp(Qt::LeftButton);
    const QUrl index = QUrl::fromLocalFile(DataPaths::find(QStringLiteral("help/index.html")));
    QVERIFY(waitForPage(form, index.path()));
    QCOMPARE(form->wb1->url(), index);
    QVERIFY(form->promptstate.helpshown);
    QVERIFY(form->wb1->title().contains(QStringLiteral("Vantell Help")));
    QVERIFY(env.dialogs.messages().isEmpty());
    // The page has its style sheet (white text) and leads to the other installed pages.
    QCOMPARE(evaluate(form, QStringLiteral("getComputedStyle(document.body).color")).toString(),
             QStringLiteral("rgb(255, 255, 255)"));
    evaluate(form, QStringLiteral("document.querySelector('nav a[href=\"keys.html\"]').click()"));
    QVERIFY(waitForPage(form, QUrl::fromLocalFile(DataPaths::find(QStringLiteral("help/keys.html"))).path()));
    QVERIFY(form->promptstate.helpshown);
    QCOMPARE(m_service.requests().size(), requestsBefore);

    leaveHelp(form, env.dialogs);
}

void TestServices::helpWithoutServiceOrInstalledPagesIsExplained()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    QTemporaryDir noData;
    DataPaths::overrideSearchDirs({noData.path()});
    emit form->Image13->mouseUp(Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(
        env.dialogs.messages(),
        QStringList{
            QStringLiteral("Vantell Help files are Internet based.\n\rNo Internet connection was detected.")},
        10000);
    QVERIFY(!form->promptstate.helpshown);
    QVERIFY(form->wb1->isScriptPage());

    // The pages are looked for at each click: once they are there again, they are shown.
    DataPaths::overrideSearchDirs({});
    emit form->Image13->mouseUp(Qt::LeftButton);
    QVERIFY(
        waitForPage(form, QUrl::fromLocalFile(DataPaths::find(QStringLiteral("help/index.html"))).path()));
    QVERIFY(form->promptstate.helpshown);
    QCOMPARE(env.dialogs.messages().size(), 1);
}

void TestServices::aboutWindowShowsItsTextsAndOpensTheSite()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    Taboutform *about = windows().aboutform;
    QCOMPARE(about->windowTitle(), QStringLiteral("About Vantell2"));
    QCOMPARE(about->size(), QSize(325, 151));
    QCOMPARE(about->Label2->text(), QStringLiteral("The latest version of Vantell can be found at"));
    QCOMPARE(about->Button1->text(), QStringLiteral("Ok"));
    QCOMPARE(about->Label3->text(), QStringLiteral("v2.2.1"));
    QCOMPARE(about->Label1->text().count(QLatin1Char('\n')), 1);
    QVERIFY(!about->Image1->pixmap().isNull());
    QCOMPARE(about->LMDSimpleLabel1->text(), m_service.url().toString());

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QTest::mouseClick(about->LMDSimpleLabel1, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QCOMPARE(catcher.urls, QList<QUrl>{m_service.url()});

    // "About" shows the window modally; "Ok" closes it and nothing else changes.
    bool shown = false;
    QTimer::singleShot(0, about, [about, &shown] {
        shown = about->isVisible() && about->isModal();
        about->Button1->click();
    });
    form->About1->trigger();
    QVERIFY(shown);
    QVERIFY(!about->isVisible());
    QCOMPARE(form->Label1->text(), QStringLiteral("Paused..."));
}

void TestServices::printPreviewOfAThreeLinePageHasOnePage()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    form->promptstate.scriptlines = {QStringLiteral("First line"), QStringLiteral("Second line"),
                                     QStringLiteral("Third line")};
    QVERIFY(reloadAndWait(form));
    form->PrintScript2->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(env.dialogs.previews.size(), 1, 30000);
    QByteArray pdf = env.dialogs.previews.constFirst();
    QVERIFY(pdf.startsWith("%PDF"));
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    QCOMPARE(document.pageCount(), 1);
    // Text stays text: it can be found in the document.
    const QString text = document.getAllText(0).text();
    QVERIFY2(text.contains(QStringLiteral("Second line")), qPrintable(text));
}

void TestServices::lightColoursPrintDarkerInTheirHue()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    form->promptstate.scriptlines = {QStringLiteral("<font color=\"#FFFF00\" size=\"7\">YELLOW</font>"),
                                     QStringLiteral("<font color=\"#0000FF\" size=\"7\">BLUE</font>")};
    QVERIFY(reloadAndWait(form));
    form->PrintScript2->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(env.dialogs.previews.size(), 1, 30000);
    QByteArray pdf = env.dialogs.previews.constFirst();
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    const QImage paper = document.render(0, QSize(850, 1100)).convertToFormat(QImage::Format_RGB32);
    // Yellow would vanish on white: it prints dark yellow. Blue reads on white and stays blue.
    int darkYellow = 0, brightYellow = 0, blue = 0;
    for (int y = 0; y < paper.height(); ++y) {
        for (int x = 0; x < paper.width(); ++x) {
            const QRgb p = paper.pixel(x, y);
            darkYellow += qAbs(qRed(p) - qGreen(p)) < 16 && qRed(p) < 140 && qRed(p) > 90 && qBlue(p) < 30;
            brightYellow += qRed(p) > 220 && qGreen(p) > 220 && qBlue(p) < 80;
            blue += qBlue(p) > 220 && qRed(p) < 30 && qGreen(p) < 30;
        }
    }
    QVERIFY2(darkYellow > 100, qPrintable(QString::number(darkYellow)));
    QCOMPARE(brightYellow, 0);
    QVERIFY2(blue > 100, qPrintable(QString::number(blue)));
}

void TestServices::printingToAFileKeepsTheDocument()
{
    UiTestEnvironment env;
    TForm1 *form = env.start();
    form->PrintScript2->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(env.dialogs.previews.size(), 1, 30000);
    const QByteArray pdf = env.dialogs.previews.constFirst();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(env.configDir.filePath(QStringLiteral("printed.pdf")));
    QCOMPARE(printpdf(pdf, QStringLiteral("script"), printer), QString());
    QFile printed(printer.outputFileName());
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QCOMPARE(printed.readAll(), pdf);

    printer.setOutputFileName(env.configDir.filePath(QStringLiteral("no/such/folder/printed.pdf")));
    QVERIFY(!printpdf(pdf, QStringLiteral("script"), printer).isEmpty());
}

VANTELL_UI_TEST_MAIN(TestServices)
#include "test_services.moc"

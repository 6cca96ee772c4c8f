#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "userflow.h"

// The services around the script: printing it, the about window, and the help from the web
// service, from there and back to the script.
class FlowServices : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void cleanupTestCase();
    void printScriptPreviewsDarkTextOnWhitePaper();
    void aboutNamesTheProgramAndItsVersion();
    void helpFromTheWebServiceAndBack();
    void helpFromTheInstalledPagesWithoutTheService();
    void withoutServiceAndInstalledPagesTheMessageExplains();

private:
    QProcess service;
    QString serviceUrl;
};

namespace {
const QString words = QStringLiteral("harbour lights tonight");
} // namespace

void FlowServices::initTestCase()
{
    QVERIFY(startSession());
    // The service's own help pages, told apart from the installed ones by their heading.
    QDir().mkpath(scripts.filePath(QStringLiteral("help")));
    writeScript(QStringLiteral("help/index.html"),
                "<html><body style=\"background:#fff\"><h1>Served help pages</h1></body></html>");
    const int port = 20000 + int(QCoreApplication::applicationPid() % 20000);
    service.setProcessChannelMode(QProcess::ForwardedChannels);
    service.start(QStringLiteral(VANTELL_WEBSERVICE),
                  {QStringLiteral("--port"), QString::number(port), QStringLiteral("--help-dir"),
                   scripts.filePath(QStringLiteral("help"))});
    QVERIFY(service.waitForStarted());
    serviceUrl = QStringLiteral("http://127.0.0.1:%1/").arg(port);
    PrompterRun::Options options;
    options.arguments = {
        writeScript(QStringLiteral("harbour.txt"), "Harbour lights tonight\r\nA ship comes in\r\n")};
    options.serviceUrl = serviceUrl;
    QVERIFY(startProgram(options));
    QVERIFY(readsWords(waitForPageText(words), words));
}

void FlowServices::cleanupTestCase()
{
    stopProgram();
    service.terminate();
    service.waitForFinished();
}

void FlowServices::printScriptPreviewsDarkTextOnWhitePaper()
{
    // "Print Script" shares its key letter with "Options": the second press marks it.
    prompter->menu({QStringLiteral("p"), QStringLiteral("p"), QStringLiteral("Return")});
    const quint64 preview = desktop->waitForWindow(QStringLiteral("Print Preview"));
    QVERIFY2(preview, "no print preview came");
    QImage shown;
    waitUntil([this, preview, &shown] {
        shown = desktop->grab(preview);
        return readsWords(readText(shown), words);
    });
    VERIFY_SCREEN(readsWords(readText(shown), words), shown, QStringLiteral("preview"));
    // The paper is white and the script's text on it is dark.
    const QRect paper = findWords(shown, QStringLiteral("Harbour")).value(0).adjusted(-40, -40, 400, 40);
    const QImage around = shown.copy(paper);
    VERIFY_SCREEN(qGray(commonColor(around)) > 230, shown, QStringLiteral("preview"));
    VERIFY_SCREEN(brightCount(around.copy(40, 40, 60, 10), 200) < 600, shown, QStringLiteral("preview"));
    desktop->activate(preview);
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Print Preview")));
    // The page itself stays white on black.
    const QImage page = settledPage();
    VERIFY_SCREEN(qGray(commonColor(page)) < 20 && readsWords(readText(page), words), page,
                  QStringLiteral("page"));
}

void FlowServices::aboutNamesTheProgramAndItsVersion()
{
    // "About" is the second item from the menu's end.
    prompter->menu({QStringLiteral("Up"), QStringLiteral("Up"), QStringLiteral("Return")});
    const quint64 about = desktop->waitForWindow(QStringLiteral("About Vantell2"));
    QVERIFY2(about, "no about window came");
    const QImage shown = desktop->grab(about);
    const QString text = readText(shown);
    VERIFY_SCREEN(readsWords(text, QStringLiteral("latest version of vantell")) && text.contains("127.0.0.1"),
                  shown, QStringLiteral("about"));
    // The version stands under the logo, in small print that reads better enlarged.
    const QImage version = shown.copy(0, shown.height() / 2, shown.width() / 3, shown.height() / 4);
    VERIFY_SCREEN(
        readText(version.scaled(version.size() * 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation))
            .contains(QStringLiteral("v2.2.1")),
        version, QStringLiteral("version"));
    desktop->activate(about);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("About Vantell2")));
}

void FlowServices::helpFromTheWebServiceAndBack()
{
    prompter->click(PrompterWindow::Tool::Help);
    const QString help = waitForPageText(QStringLiteral("served help pages"));
    VERIFY_SCREEN(readsWords(help, QStringLiteral("served help pages")), prompter->page(),
                  QStringLiteral("help"));
    prompter->click(PrompterWindow::Tool::Help);
    const QString back = waitForPageText(words);
    VERIFY_SCREEN(readsWords(back, words), prompter->page(), QStringLiteral("script"));
}

void FlowServices::helpFromTheInstalledPagesWithoutTheService()
{
    // Nothing answers at the service's address: the pages installed with the program are shown.
    QVERIFY(startProgram(QStringList{scripts.filePath(QStringLiteral("harbour.txt"))}));
    QVERIFY(readsWords(waitForPageText(words), words));
    prompter->click(PrompterWindow::Tool::Help);
    const QString help = waitForPageText(QStringLiteral("vantell help"));
    VERIFY_SCREEN(readsWords(help, QStringLiteral("vantell help")) &&
                      !desktop->hasWindow(QStringLiteral("Vantell2  Home")),
                  prompter->page(), QStringLiteral("help"));
    prompter->click(PrompterWindow::Tool::Help);
    const QString back = waitForPageText(words);
    VERIFY_SCREEN(readsWords(back, words), prompter->page(), QStringLiteral("script"));
}

void FlowServices::withoutServiceAndInstalledPagesTheMessageExplains()
{
    // A copy of the program with only its special characters beside it: no help pages there,
    // and no installation around it.
    const QString bin = scripts.filePath(QStringLiteral("bare/bin"));
    QDir().mkpath(bin);
    const QString copy = bin + QStringLiteral("/vantell");
    QVERIFY(QFile::copy(programPath(), copy));
    QVERIFY(QFile::copy(QFileInfo(programPath()).dir().filePath(QStringLiteral("specialchars.dat")),
                        bin + QStringLiteral("/specialchars.dat")));
    PrompterRun::Options options;
    options.program = copy;
    QVERIFY(startProgram(options));

    prompter->click(PrompterWindow::Tool::Help);
    const quint64 box = desktop->waitForWindow(QStringLiteral("Vantell2  Home"));
    QVERIFY2(box, "Toggle Help showed no message");
    const QImage message = desktop->grab(box);
    VERIFY_SCREEN(readsWords(readText(message), QStringLiteral("help files are internet based")), message,
                  QStringLiteral("message"));
    desktop->activate(box);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Vantell2  Home")));
}

QTEST_GUILESS_MAIN(FlowServices)
#include "flow_services.moc"

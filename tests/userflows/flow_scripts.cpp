#include <cmath>

#include <QColor>
#include <QFileInfo>

#include "userflow.h"

// Opening scripts as a user does: from the menu's "Open Single Script" and from the command line,
// for each kind of script. The page must show the script's words, light on the black page.
class FlowScripts : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void openFromTheMenu_data();
    void openFromTheMenu();
    void openFromTheCommandLine_data();
    void openFromTheCommandLine();
    void anUnreadableScriptIsReportedAndThePageStays();
    void plainTextShowsAsWritten();
    void coloursForPaperReadOnTheBlackPage();
    void theSampleIsATourOfTheKeys();

private:
    void addScripts();
};

namespace {
// Rich text as word processors write it: no colour table, so every character has the automatic
// colour.
const QByteArray rtfWithoutColours = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                                     "\\pard\\f0\\fs48 Morning market report\\par Fresh bread for sale\\par}";
} // namespace

void FlowScripts::initTestCase()
{
    QVERIFY(startSession());
    QVERIFY(startProgram());
}

void FlowScripts::addScripts()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("words");
    QTest::newRow("txt") << writeScript(QStringLiteral("harbour.txt"),
                                        "Harbour lights tonight\r\nAnother line\r\n")
                         << "harbour lights tonight";
    QTest::newRow("rtf") << writeScript(QStringLiteral("market.rtf"), rtfWithoutColours)
                         << "morning market report";
    QTest::newRow("vnr without colours")
        << writeScript(QStringLiteral("market.vnr"), rtfWithoutColours) << "morning market report";
    QTest::newRow("vnr sample") << sourcePath(QStringLiteral("resources/samples/welcome.vnr"))
                                << "good evening";
}

void FlowScripts::openFromTheMenu_data()
{
    addScripts();
}

void FlowScripts::openFromTheMenu()
{
    QFETCH(QString, path);
    QFETCH(QString, words);
    prompter->menu(QStringLiteral("o"));
    QVERIFY2(chooseFile(QStringLiteral("Open"), path), "no file dialog \"Open\" came, or it did not close");
    const QString text = waitForPageText(words);
    VERIFY_SCREEN(readsWords(text, words), prompter->page(), QStringLiteral("page"));
    const QImage status = prompter->statusLine();
    VERIFY_SCREEN(readsWords(readText(status), QFileInfo(path).fileName()), status, QStringLiteral("status"));
}

void FlowScripts::openFromTheCommandLine_data()
{
    addScripts();
}

void FlowScripts::openFromTheCommandLine()
{
    QFETCH(QString, path);
    QFETCH(QString, words);
    QVERIFY(startProgram(QStringList{path}));
    const QString text = waitForPageText(words);
    VERIFY_SCREEN(readsWords(text, words), prompter->page(), QStringLiteral("page"));
}

void FlowScripts::anUnreadableScriptIsReportedAndThePageStays()
{
    const QString shown = sourcePath(QStringLiteral("resources/samples/welcome.vnr"));
    QVERIFY(startProgram(QStringList{shown}));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("good evening")), QStringLiteral("good evening")));
    const QString unknown = writeScript(QStringLiteral("notes.doc"), "not a script");
    prompter->menu(QStringLiteral("o"));
    QVERIFY(chooseFile(QStringLiteral("Open"), unknown));
    // The message box is captioned with the program's name.
    const quint64 box = desktop->waitForWindow(QStringLiteral("Vantell2  Home"));
    QVERIFY2(box, "no message box came");
    const QImage message = desktop->grab(box);
    VERIFY_SCREEN(readsWords(readText(message), QStringLiteral("unrecognized file format")), message,
                  QStringLiteral("message"));
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Vantell2  Home")));
    VERIFY_SCREEN(readsWords(readText(prompter->page()), QStringLiteral("good evening")), prompter->page(),
                  QStringLiteral("page"));
}

void FlowScripts::plainTextShowsAsWritten()
{
    // Text written like a tag is text; only a plain script's formatting tags format.
    const QString path = writeScript(QStringLiteral("cues.txt"), "Press <Enter> to continue\r\n"
                                                                 "If a < b then b > a\r\n"
                                                                 "<b>Tone</b> Tone\r\n");
    QVERIFY(startProgram(QStringList{path}));
    const QString text = waitForPageText(QStringLiteral("press <enter> to continue"));
    const QImage page = prompter->page();
    VERIFY_SCREEN(readsWords(text, QStringLiteral("press <enter> to continue")), page,
                  QStringLiteral("page"));
    // Looked for without blanks, as OCR may set them anywhere in a row of short words.
    VERIFY_SCREEN(readsWords(text, QStringLiteral("a<bthenb>a")), page, QStringLiteral("page"));
    VERIFY_SCREEN(!text.contains(QLatin1String("<b>")) && !text.contains(QLatin1String("</b>")), page,
                  QStringLiteral("page"));
    // The word in <b> is the bold one of the two: its strokes light more of the page.
    const QList<QRect> tones = findWords(page, QStringLiteral("tone"));
    VERIFY_SCREEN(tones.size() == 2, page, QStringLiteral("page"));
    const qint64 bold = brightCount(page.copy(tones.at(0)));
    const qint64 regular = brightCount(page.copy(tones.at(1)));
    VERIFY_SCREEN(bold > regular * 11 / 10, page,
                  QStringLiteral("bold %1, regular %2").arg(bold).arg(regular));
}

void FlowScripts::coloursForPaperReadOnTheBlackPage()
{
    // A title in Word's dark blue and a paragraph in dark green, as written for white paper.
    const QString path = writeScript(
        QStringLiteral("paper.vnr"),
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red31\\green56\\blue100;"
        "\\red0\\green100\\blue0;}\\pard\\f0\\fs56\\cf1\\b Harbour title\\b0\\par\\fs40\\cf2 Green fields "
        "tonight\\par}");
    QVERIFY(startProgram(QStringList{path}));
    const QString text = waitForPageText(QStringLiteral("harbour title green fields"));
    const QImage page = prompter->page();
    VERIFY_SCREEN(readsWords(text, QStringLiteral("harbour title green fields")), page,
                  QStringLiteral("page"));
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    // The contrast against the black page of the brightest pixel of a word: its letters' own colour.
    const auto letters = [&](const QString &word) {
        const QList<QRect> places = findWords(page, word);
        QRgb brightest = qRgb(0, 0, 0);
        double contrast = 1;
        if (places.isEmpty())
            return std::pair(brightest, contrast);
        const QImage pixels = page.copy(places.first()).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                const QRgb p = pixels.pixel(x, y);
                const double luminance =
                    0.2126 * linear(qRed(p)) + 0.7152 * linear(qGreen(p)) + 0.0722 * linear(qBlue(p));
                if ((luminance + 0.05) / 0.05 > contrast) {
                    contrast = (luminance + 0.05) / 0.05;
                    brightest = p;
                }
            }
        }
        return std::pair(brightest, contrast);
    };
    const auto [blue, titleContrast] = letters(QStringLiteral("harbour"));
    VERIFY_SCREEN(titleContrast >= 4.4, page, QStringLiteral("title contrast %1").arg(titleContrast));
    VERIFY_SCREEN(qBlue(blue) > qRed(blue) + 40 && qBlue(blue) > qGreen(blue) + 20, page,
                  QStringLiteral("title colour %1").arg(QColor(blue).name()));
    const auto [green, paragraphContrast] = letters(QStringLiteral("fields"));
    VERIFY_SCREEN(paragraphContrast >= 4.4, page,
                  QStringLiteral("paragraph contrast %1").arg(paragraphContrast));
    VERIFY_SCREEN(qGreen(green) > qRed(green) + 40 && qGreen(green) > qBlue(green) + 40, page,
                  QStringLiteral("paragraph colour %1").arg(QColor(green).name()));
}

void FlowScripts::theSampleIsATourOfTheKeys()
{
    // As `make run` starts it: the sample says what to press, and pressing it does what it says.
    QVERIFY(startProgram(QStringList{sourcePath(QStringLiteral("resources/samples/welcome.vnr"))}));
    const QString welcome = QStringLiteral("good evening welcome to vantell press w");
    VERIFY_SCREEN(readsWords(waitForPageText(welcome), welcome), prompter->page(), QStringLiteral("start"));
    // Its markers: F7 glides to the next (whose own line is small and dim, for the eye rather than
    // OCR: its text is what is looked for).
    prompter->keys({QStringLiteral("F7")});
    const QString driving = QStringLiteral("makes me faster pauses me turns me round");
    VERIFY_SCREEN(readsWords(waitForPageText(driving), driving), prompter->page(),
                  QStringLiteral("first marker"));
    prompter->keys({QStringLiteral("F7")});
    const QString scripts = QStringLiteral("right-click the logo step back and forward");
    VERIFY_SCREEN(readsWords(waitForPageText(scripts), scripts), prompter->page(),
                  QStringLiteral("second marker"));
    // F: back to the top; W, held, and the page rolls the tour up; Q stops it.
    prompter->keys({QStringLiteral("f")});
    VERIFY_SCREEN(readsWords(waitForPageText(welcome), welcome), prompter->page(), QStringLiteral("reset"));
    prompter->keys(QStringList(28, QStringLiteral("w")));
    const QString reading = QStringLiteral("i am your prompter");
    VERIFY_SCREEN(readsWords(waitForPageText(reading, 30000), reading), prompter->page(),
                  QStringLiteral("running"));
    prompter->keys({QStringLiteral("q")});
    const QImage paused = settledPage(false);
    VERIFY_SCREEN(differingShare(paused, settledPage(false)) < 0.001, paused, QStringLiteral("paused"));
}

QTEST_GUILESS_MAIN(FlowScripts)
#include "flow_scripts.moc"

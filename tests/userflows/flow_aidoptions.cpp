#include <QThread>

#include "userflow.h"

// The reading aids as the options window offers them: the reading time of each script of the
// queue and of the whole queue, the reading aids' page (reading line, reading pace) confirmed
// with Ok and kept for the next run; and markers that come from the headings of a rich script.
class FlowAidOptions : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void headingsOfARichScriptAreMarkers();
    void theQueueShowsReadingTimes();
    void readingAidsAreChosenInTheOptionsWindowAndKept();

private:
    void verifyPageShows(const QString &words, const QString &name) const;
    QString longScript, shortScript;
};

namespace {
const QString optionsCaption = QStringLiteral("Vantell Options");

QByteArray words(int count)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += i % 10 == 0 ? "word\r\n" : "word ";
    return text;
}

// Pixels of the yellow the reading line is drawn in, within `area` of `image`.
int yellowPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() > 120 && c.blue() < 60)
                ++count;
        }
    return count;
}
} // namespace

void FlowAidOptions::initTestCase()
{
    QVERIFY(startSession());
    longScript = writeScript(QStringLiteral("long.txt"), words(360));
    shortScript = writeScript(QStringLiteral("short.txt"), words(180));
}

void FlowAidOptions::verifyPageShows(const QString &words, const QString &name) const
{
    const QString text = waitForPageText(words);
    VERIFY_SCREEN(readsWords(text, words), prompter->page(), name);
}

void FlowAidOptions::headingsOfARichScriptAreMarkers()
{
    // Lines in a word processor's RTF: two of them in its "heading 1" style, none with a sign.
    QByteArray rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\ql Normal;}{\\s1\\b heading 1;}}\\f0 ";
    for (int line = 1; line <= 400; ++line) {
        if (line == 150)
            rtf += "\\pard\\s1 Weather\\par\\pard ";
        else if (line == 300)
            rtf += "\\pard\\s1 Sport\\par\\pard ";
        else
            rtf += "Line " + QByteArray::number(line) + "\\par ";
    }
    rtf += "}";
    QVERIFY(startProgram(QStringList{writeScript(QStringLiteral("headings.rtf"), rtf)}));
    verifyPageShows(QStringLiteral("line 1"), QStringLiteral("start"));
    // F7 goes to the next marker: the heading's line a third down, two lines above it.
    prompter->keys({QStringLiteral("F7")});
    verifyPageShows(QStringLiteral("line 148 line 151"), QStringLiteral("first heading"));
    prompter->keys({QStringLiteral("F7")});
    verifyPageShows(QStringLiteral("line 298 line 301"), QStringLiteral("second heading"));
    prompter->keys({QStringLiteral("F6")});
    verifyPageShows(QStringLiteral("line 148 line 151"), QStringLiteral("back to the first"));
}

void FlowAidOptions::theQueueShowsReadingTimes()
{
    QVERIFY(startProgram());
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    for (const QString &script : {longScript, shortScript}) {
        QVERIFY(clickWord(options, QStringLiteral("Add")));
        QVERIFY2(chooseFile(QStringLiteral("Open"), script), "Add Script opened no file dialog");
    }
    // 360 and 180 words at 180 words a minute.
    QImage listed;
    QString text;
    waitUntil([this, options, &listed, &text] {
        listed = desktop->grab(options);
        text = readText(listed);
        return readsWords(text, QStringLiteral("queue reads in 3:00"));
    });
    VERIFY_SCREEN(readsWords(text, QStringLiteral("reads in 2:00")) &&
                      readsWords(text, QStringLiteral("reads in 1:00")) &&
                      readsWords(text, QStringLiteral("queue reads in 3:00 at 180 words a minute")),
                  listed, QStringLiteral("reading times"));
    desktop->activate(options);
    desktop->key(QStringLiteral("Escape"));
    QVERIFY(desktop->waitForWindowGone(optionsCaption));
}

void FlowAidOptions::readingAidsAreChosenInTheOptionsWindowAndKept()
{
    // Both runs keep their settings in one place, as a user's runs do.
    PrompterRun::Options options;
    options.arguments = QStringList{longScript};
    options.configHome = scripts.filePath(QStringLiteral("config"));
    QVERIFY(startProgram(options));
    verifyPageShows(QStringLiteral("word word"), QStringLiteral("script"));
    const quint64 window = openOptions();
    QVERIFY2(window, "the options window did not open");
    QVERIFY(clickWord(window, QStringLiteral("Aids")));
    QVERIFY2(waitUntil([this, window] { return clickWord(window, QStringLiteral("prompter")); }),
             qPrintable(described(desktop->grab(window), QStringLiteral("reading aids page"))));
    // The pace's field stands right of its label.
    const QList<QRect> minute = findWords(desktop->grab(window), QStringLiteral("minute"));
    QVERIFY2(!minute.isEmpty(), qPrintable(described(desktop->grab(window), QStringLiteral("no pace"))));
    desktop->click(window, minute.first().center() + QPoint(minute.first().width() / 2 + 40, 0));
    desktop->key(QStringLiteral("ctrl+a"));
    desktop->type(QStringLiteral("360"));
    // OCR does not read the small field: the status line's reading time tells the pace below.
    QThread::msleep(300);
    desktop->activate(window);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(optionsCaption));

    for (int run = 0; run < 2; ++run) {
        const QString name = run == 0 ? QStringLiteral("chosen") : QStringLiteral("kept");
        QImage shown;
        waitUntil([this, &shown] {
            shown = settledPage();
            return yellowPixels(shown, QRect(0, shown.height() / 3 - 4, 40, 9)) > 20;
        });
        const int third = shown.height() / 3;
        VERIFY_SCREEN(yellowPixels(shown, QRect(0, third - 4, 40, 9)) > 20, shown, name + " reading line");
        // 360 words at 360 words a minute.
        const QString status = prompter->statusText();
        QVERIFY2(readsWords(status, QStringLiteral("reading 00:01:00")), qPrintable(name + ": " + status));
        if (run == 0) {
            stopProgram();
            QVERIFY(startProgram(options));
            verifyPageShows(QStringLiteral("word word"), QStringLiteral("restart"));
        }
    }
}

QTEST_GUILESS_MAIN(FlowAidOptions)
#include "flow_aidoptions.moc"

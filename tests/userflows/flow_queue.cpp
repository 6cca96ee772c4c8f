#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include "userflow.h"

// The queue of scripts: scripts added in the options window, the queue saved and loaded again,
// started with Ok, and stepped through with D and A; a queue given on the command line; and the
// queue as one continuous page, run across a story's banner, A and D gliding from story to story,
// and Edit Live correcting the story on air on it.
class FlowQueue : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void aQueueIsBuiltSavedAndSteppedThrough();
    void aSavedQueueLoadsAgain();
    void aQueueStartsFromTheCommandLine();
    void aQueueReadsAsOneContinuousPage();
    void editLiveChangesOnlyTheStoryOnAir();

private:
    void addToQueue(quint64 options, const QString &path) const;
    // Waits until the status line shows `words` and not the word `without` (as OCR reads it);
    // whether it did.
    bool waitForStatus(const QString &words, const QString &without = QString()) const;
    QString first, second, queueFile;
};

namespace {
const QString optionsCaption = QStringLiteral("Vantell Options");
const QString firstWords = QStringLiteral("first story tonight");
const QString secondWords = QStringLiteral("second story weather");

// The queue's list shows the scripts' full paths, as far as they fit: the folder twice, and the
// start of each script's name (the column cuts the names through a letter, which OCR then misreads,
// at a place that depends on the folder's random name).
bool listsBoth(const QString &text)
{
    return text.count(QStringLiteral("/tmp/userflow_queue")) == 2 && text.contains(QStringLiteral("/fi")) &&
           text.contains(QStringLiteral("/se"));
}
} // namespace

void FlowQueue::initTestCase()
{
    QVERIFY(startSession());
    first = writeScript(QStringLiteral("first.txt"), "First story tonight\r\n");
    second = writeScript(QStringLiteral("second.txt"), "Second story weather\r\n");
    queueFile = scripts.filePath(QStringLiteral("show.vnq"));
    QVERIFY(startProgram());
}

void FlowQueue::addToQueue(quint64 options, const QString &path) const
{
    QVERIFY(clickWord(options, QStringLiteral("Add")));
    QVERIFY2(chooseFile(QStringLiteral("Open"), path), "Add Script opened no file dialog");
}

void FlowQueue::aQueueIsBuiltSavedAndSteppedThrough()
{
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    addToQueue(options, first);
    if (QTest::currentTestFailed())
        return;
    addToQueue(options, second);
    if (QTest::currentTestFailed())
        return;
    const QImage listed = desktop->grab(options);
    VERIFY_SCREEN(listsBoth(readText(listed)), listed, QStringLiteral("queue"));
    QVERIFY(clickWord(options, QStringLiteral("Save")));
    QVERIFY2(chooseFile(QStringLiteral("Save As"), queueFile), "Save Queue opened no file dialog");
    // The dialog closes before the program has written the file.
    QVERIFY2(waitUntil([this] { return QFileInfo::exists(queueFile); }, 5000), "Save Queue wrote no file");

    // Ok starts the queue with its first script.
    // Ok is the window's default button.
    desktop->activate(options);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(optionsCaption));
    VERIFY_SCREEN(readsWords(waitForPageText(firstWords), firstWords), prompter->page(),
                  QStringLiteral("first"));
    prompter->keys({QStringLiteral("d")});
    VERIFY_SCREEN(readsWords(waitForPageText(secondWords), secondWords), prompter->page(),
                  QStringLiteral("second"));
    prompter->keys({QStringLiteral("a")});
    VERIFY_SCREEN(readsWords(waitForPageText(firstWords), firstWords), prompter->page(),
                  QStringLiteral("back"));
    // The toolbar's images step as the keys do.
    prompter->click(PrompterWindow::Tool::NextScript);
    VERIFY_SCREEN(readsWords(waitForPageText(secondWords), secondWords), prompter->page(),
                  QStringLiteral("next image"));
}

void FlowQueue::aSavedQueueLoadsAgain()
{
    QVERIFY(startProgram());
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    QVERIFY(clickWord(options, QStringLiteral("Load")));
    QVERIFY2(chooseFile(QStringLiteral("Open"), queueFile), "Load Queue opened no file dialog");
    QImage listed;
    waitUntil([this, options, &listed] {
        listed = desktop->grab(options);
        return listsBoth(readText(listed));
    });
    VERIFY_SCREEN(listsBoth(readText(listed)), listed, QStringLiteral("loaded"));
    // Ok is the window's default button.
    desktop->activate(options);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(optionsCaption));
    VERIFY_SCREEN(readsWords(waitForPageText(firstWords), firstWords), prompter->page(),
                  QStringLiteral("first"));
    prompter->keys({QStringLiteral("d")});
    VERIFY_SCREEN(readsWords(waitForPageText(secondWords), secondWords), prompter->page(),
                  QStringLiteral("second"));
}

void FlowQueue::aQueueStartsFromTheCommandLine()
{
    QVERIFY(startProgram(QStringList{QStringLiteral("--queue"), queueFile}));
    VERIFY_SCREEN(readsWords(waitForPageText(firstWords), firstWords), prompter->page(),
                  QStringLiteral("first"));
    prompter->keys({QStringLiteral("d")});
    VERIFY_SCREEN(readsWords(waitForPageText(secondWords), secondWords), prompter->page(),
                  QStringLiteral("second"));
}

bool FlowQueue::waitForStatus(const QString &words, const QString &without) const
{
    QDeadlineTimer deadline(10000);
    do {
        const QString text = prompter->statusText();
        if (readsWords(text, words) && (without.isEmpty() || !readsWords(text, without)))
            return true;
        QThread::msleep(200);
    } while (!deadline.hasExpired());
    return false;
}

void FlowQueue::aQueueReadsAsOneContinuousPage()
{
    // Both runs keep their settings in one place, as a user's runs do.
    PrompterRun::Options options;
    options.arguments = QStringList{QStringLiteral("--queue"), queueFile};
    options.configHome = scripts.filePath(QStringLiteral("config"));
    QVERIFY(startProgram(options));
    VERIFY_SCREEN(readsWords(waitForPageText(firstWords), firstWords), prompter->page(),
                  QStringLiteral("first"));
    prompter->keys({QStringLiteral("d")});
    VERIFY_SCREEN(readsWords(waitForPageText(secondWords), secondWords), prompter->page(),
                  QStringLiteral("second"));
    // C makes the queue one page: both scripts on it, each after its banner, the story at the
    // reading line on air.
    prompter->keys({QStringLiteral("c")});
    VERIFY_SCREEN(waitForStatus(QStringLiteral("on air second"), QStringLiteral("first")),
                  prompter->statusLine(), QStringLiteral("continuous on air"));
    prompter->keys({QStringLiteral("a")});
    // A glides back to the first story instead of loading a script: its banner and its text, and
    // the second story's banner after it, on the one page.
    const QString firstAndNext = firstWords + QStringLiteral(" second");
    VERIFY_SCREEN(readsWords(waitForPageText(firstAndNext), firstAndNext), prompter->page(),
                  QStringLiteral("continuous page"));
    VERIFY_SCREEN(waitForStatus(QStringLiteral("on air first next second")), prompter->statusLine(),
                  QStringLiteral("first on air"));
    // Running across the second story's banner puts that story on air as it passes the reading
    // line, without a stop or a reload; F then goes back to the start, the first story on air.
    const QStringList faster = QStringList(4, QStringLiteral("plus")) + QStringList(8, QStringLiteral("w"));
    prompter->keys(faster);
    VERIFY_SCREEN(waitForStatus(QStringLiteral("on air second"), QStringLiteral("first")),
                  prompter->statusLine(), QStringLiteral("scrolled on air"));
    prompter->keys({QStringLiteral("Escape")});
    prompter->keys(QStringList(4, QStringLiteral("minus")) + QStringList(8, QStringLiteral("s")));
    prompter->keys({QStringLiteral("f")});
    VERIFY_SCREEN(waitForStatus(QStringLiteral("on air first next second")), prompter->statusLine(),
                  QStringLiteral("back to the first"));
    prompter->keys({QStringLiteral("d")});
    VERIFY_SCREEN(waitForStatus(QStringLiteral("on air second"), QStringLiteral("first")),
                  prompter->statusLine(), QStringLiteral("second on air"));
    // Off again: the story on air goes on as the one script shown, the other one gone from the page.
    prompter->keys({QStringLiteral("c")});
    QDeadlineTimer deadline(10000);
    QString shown;
    do {
        shown = readText(prompter->page());
        if (readsWords(shown, secondWords) && !readsWords(shown, firstWords))
            break;
        QThread::msleep(200);
    } while (!deadline.hasExpired());
    VERIFY_SCREEN(readsWords(shown, secondWords) && !readsWords(shown, firstWords), prompter->page(),
                  QStringLiteral("stepped again"));

    // The switch is kept between runs: on again, the next start shows the queue as one page.
    prompter->keys({QStringLiteral("c")});
    VERIFY_SCREEN(waitForStatus(QStringLiteral("on air")), prompter->statusLine(),
                  QStringLiteral("on again"));
    QVERIFY(startProgram(options));
    VERIFY_SCREEN(waitForStatus(QStringLiteral("on air first next second")), prompter->statusLine(),
                  QStringLiteral("kept between runs"));
}

void FlowQueue::editLiveChangesOnlyTheStoryOnAir()
{
    // The run before left the queue as one page, the first story on air: Edit Live holds it alone.
    desktop->activate(prompter->id());
    prompter->keys({QStringLiteral("F10")});
    const quint64 editor = desktop->waitForWindow(QStringLiteral("Vantell Edit Live"));
    QVERIFY2(editor, "Edit Live did not open");
    desktop->move(editor, {0, prompter->geometry().bottom() + 1});
    const QImage held = desktop->grab(editor);
    const QString heldText = readText(held);
    VERIFY_SCREEN(readsWords(heldText, firstWords) && !readsWords(heldText, secondWords), held,
                  QStringLiteral("edit live"));

    // A word typed at its end reaches the page before the next story's banner, on air unchanged.
    desktop->activate(editor);
    desktop->key(QStringLiteral("ctrl+End"));
    desktop->type(QStringLiteral(" zebra"));
    const QString edited = firstWords + QStringLiteral(" zebra second");
    VERIFY_SCREEN(readsWords(waitForPageText(edited), edited), prompter->page(), QStringLiteral("edited"));
    VERIFY_SCREEN(waitForStatus(QStringLiteral("on air first next second")), prompter->statusLine(),
                  QStringLiteral("on air after the edit"));

    // Closing asks about the story's unsaved change; No keeps it on the page.
    desktop->activate(editor);
    desktop->key(QStringLiteral("alt+F4"));
    const quint64 question = desktop->waitForWindow(QStringLiteral("Warning"));
    QVERIFY2(question, "closing the edited story asked nothing");
    desktop->activate(question);
    desktop->key(QStringLiteral("alt+n"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Vantell Edit Live")));
    VERIFY_SCREEN(readsWords(waitForPageText(edited), edited), prompter->page(), QStringLiteral("closed"));
}

QTEST_GUILESS_MAIN(FlowQueue)
#include "flow_queue.moc"

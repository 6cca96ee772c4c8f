#include <QFileInfo>
#include <QThread>

#include "userflow.h"

// The queue of scripts: scripts added in the options window, the queue saved and loaded again,
// started with Ok, and stepped through with D and A; and a queue given on the command line.
class FlowQueue : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void aQueueIsBuiltSavedAndSteppedThrough();
    void aSavedQueueLoadsAgain();
    void aQueueStartsFromTheCommandLine();

private:
    void addToQueue(quint64 options, const QString &path) const;
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

QTEST_GUILESS_MAIN(FlowQueue)
#include "flow_queue.moc"

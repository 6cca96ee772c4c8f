#include <QProcess>
#include <QThread>

#include "userflow.h"

// Scripts dragged from another program and dropped with the mouse, by X drag and drop: on the
// prompter's page a script opens as "Open Single Script" opens it (a file that is no script is
// reported and the page stays); on the options window's queue the scripts join the queue.
class FlowDragDrop : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void aScriptDroppedOnThePageOpens();
    void aFileThatIsNoScriptIsReportedAndThePageStays();
    void scriptsDroppedOnTheQueueJoinIt();

private:
    // Drags `files` from a window of their own to `at` in `target`, as a user does with the mouse.
    bool dragFiles(const QStringList &files, quint64 target, QPoint at) const;
};

namespace {
const QString messageCaption = QStringLiteral("Vantell2  Home");
const QString optionsCaption = QStringLiteral("Vantell Options");
} // namespace

void FlowDragDrop::initTestCase()
{
    QVERIFY(startSession());
    QVERIFY(
        startProgram(QStringList{writeScript(QStringLiteral("first.txt"), "Harbour lights tonight\r\n")}));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("harbour lights")), QStringLiteral("harbour lights")));
}

bool FlowDragDrop::dragFiles(const QStringList &files, quint64 target, QPoint at) const
{
    QProcess source;
    QProcessEnvironment environment = session->environment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    source.setProcessEnvironment(environment);
    source.start(QStringLiteral(VANTELL_DRAGSOURCE), files);
    const quint64 window = desktop->waitForWindow(QStringLiteral("Drag Source"));
    if (!window)
        return false;
    desktop->press(window, QPoint(100, 60));
    // The drag starts at the press; the pointer then travels, as a hand moves it, to the target.
    for (int step = 1; step <= 5; ++step) {
        QThread::msleep(80);
        desktop->moveMouse(window, QPoint(100 + step * 10, 60 + step * 5));
    }
    for (int step = 0; step < 4; ++step) {
        QThread::msleep(120);
        desktop->moveMouse(target, at + QPoint(step * 3, step * 2));
    }
    // A hand rests a moment over the target before letting go, and the source stays while the
    // drop's data is read from it.
    QThread::msleep(300);
    desktop->release();
    QThread::msleep(500);
    source.kill();
    source.waitForFinished();
    return true;
}

void FlowDragDrop::aScriptDroppedOnThePageOpens()
{
    const QString script =
        writeScript(QStringLiteral("dropped.rtf"),
                    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs48 Morning market report\\par}");
    const QRect page = prompter->pageArea();
    QVERIFY2(dragFiles({script}, prompter->id(), page.center()), "the drag source did not come");
    const QString text = waitForPageText(QStringLiteral("morning market report"));
    VERIFY_SCREEN(readsWords(text, QStringLiteral("morning market report")), prompter->page(),
                  QStringLiteral("dropped"));
}

void FlowDragDrop::aFileThatIsNoScriptIsReportedAndThePageStays()
{
    const QString broken = writeScript(QStringLiteral("broken.docx"), "not a zip at all");
    QVERIFY2(dragFiles({broken}, prompter->id(), prompter->pageArea().center()),
             "the drag source did not come");
    const quint64 box = desktop->waitForWindow(messageCaption);
    QVERIFY2(box, "no message box came");
    const QImage message = desktop->grab(box);
    VERIFY_SCREEN(readsWords(readText(message), QStringLiteral("broken.docx")), message,
                  QStringLiteral("message"));
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(messageCaption));
    VERIFY_SCREEN(readsWords(readText(prompter->page()), QStringLiteral("morning market report")),
                  prompter->page(), QStringLiteral("page kept"));
}

void FlowDragDrop::scriptsDroppedOnTheQueueJoinIt()
{
    const QString first = writeScript(QStringLiteral("alpha.txt"), "First story tonight\r\n");
    const QString second = writeScript(QStringLiteral("beta.txt"), "Second story weather\r\n");
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    // The queue's list fills the left of the window's upper half (the window has a fixed size).
    QVERIFY2(dragFiles({first, second}, options, QPoint(100, 300)), "the drag source did not come");
    const QImage listed = desktop->grab(options);
    const QString text = readText(listed);
    // Both listed, each with its reading time (the column cuts the names inside the random folder).
    VERIFY_SCREEN(text.count(QStringLiteral("userflow_dragdrop")) == 2 &&
                      text.count(QStringLiteral("reads in 0:01")) == 2,
                  listed, QStringLiteral("queue"));
    // Ok starts the queue with its first script.
    desktop->activate(options);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(optionsCaption));
    VERIFY_SCREEN(readsWords(waitForPageText(QStringLiteral("first story tonight")),
                             QStringLiteral("first story tonight")),
                  prompter->page(), QStringLiteral("first"));
    prompter->keys({QStringLiteral("d")});
    VERIFY_SCREEN(readsWords(waitForPageText(QStringLiteral("second story weather")),
                             QStringLiteral("second story weather")),
                  prompter->page(), QStringLiteral("second"));
}

QTEST_GUILESS_MAIN(FlowDragDrop)
#include "flow_dragdrop.moc"

#include <csignal>

#include <QDir>
#include <QFile>
#include <QThread>

#include "sessionmanager.h"
#include "userflow.h"

// Faults the operator should hardly notice: the browser's process that draws the pages is killed
// (as the out-of-memory killer does) and the pages come back by themselves where they stood.
class FlowFaults : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void killedDisplayComesBackAtItsPlace();
    void killedEditorsTextIsOfferedAtTheNextStart_data();
    void killedEditorsTextIsOfferedAtTheNextStart();
    void aChangedScriptIsShownWhenTheOptionSaysSo();

private:
    // Sets an option by clicking its item (the `occurrence`-th place showing `item`) and Ok.
    void setOption(const QString &item, int occurrence);
    // Kills every process that draws a page for the program; returns how many.
    int killRenderers() const;
};

namespace {

const QString talentCaption = QStringLiteral("Talent Display");
const QString editorCaption = QStringLiteral("Vantell Quick Edit");
const QString messageCaption = QStringLiteral("Vantell2  Home");
const QString recoverCaption = QStringLiteral("Recover unsaved text");
const QString warningCaption = QStringLiteral("Warning");

QByteArray commandLineOf(qint64 pid)
{
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return commandLine.open(QIODevice::ReadOnly) ? commandLine.readAll() : QByteArray();
}

qint64 parentOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    // pid (name) state ppid ...: the name may hold blanks, so the fields are read after it.
    const QByteArray line = status.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() : 0;
}

// The processes that draw pages for the program `program`. The browser forks them from its zygote
// processes (the program's children), whose command line they keep: a renderer is a process whose
// parent is one of the program's zygotes.
QList<qint64> renderersOf(qint64 program)
{
    const QStringList all = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QList<qint64> found;
    for (const QString &entry : all) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        if (!number)
            continue;
        const qint64 zygote = parentOf(pid);
        if (zygote > 0 && parentOf(zygote) == program && commandLineOf(zygote).contains("--type=zygote"))
            found << pid;
    }
    return found;
}

} // namespace

void FlowFaults::initTestCase()
{
    QVERIFY(startSession());
    QVERIFY(startProgram(QStringList{numberedScript(400)}));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("Line 1")), QStringLiteral("Line 1")));
}

int FlowFaults::killRenderers() const
{
    int killed = 0;
    for (const qint64 pid : renderersOf(program->processId()))
        if (::kill(pid_t(pid), SIGKILL) == 0)
            ++killed;
    return killed;
}

void FlowFaults::killedDisplayComesBackAtItsPlace()
{
    prompter->click(PrompterWindow::Tool::DualDisplay);
    const quint64 talent = desktop->waitForWindow(talentCaption);
    QVERIFY2(talent, "no talent display came");
    // Away from the start, and paused there.
    const QImage atStart = prompter->page();
    prompter->keys(QStringList(30, QStringLiteral("w")));
    waitUntil([this, &atStart] { return differingShare(prompter->page(), atStart, 8) > 0.01; });
    prompter->keys({QStringLiteral("q")});
    const QImage before = settledPage();
    VERIFY_SCREEN(!readText(before).contains(QLatin1String("line 1 and")), before, QStringLiteral("before"));

    // The two displays' pages may share one renderer or have one each: every one goes.
    const int killed = killRenderers();
    QVERIFY2(killed >= 1, "the program has no renderer to kill");
    qInfo("killed %d renderer processes", killed);
    // A long notice on a narrow status line leaves its middle out: its start and end are read.
    const auto told = [this] {
        const QString status = prompter->statusText();
        return readsWords(status, QStringLiteral("display stopped")) &&
               readsWords(status, QStringLiteral("stands where it was"));
    };
    waitUntil(told);
    const QImage after = settledPage();
    VERIFY_SCREEN(readsWords(readText(after), QStringLiteral("Line")), after, QStringLiteral("restored"));
    // The same place: the same lines where they were, within a few pixels of the line they stood on.
    const int shift = PrompterWindow::verticalShift(before, after);
    VERIFY_SCREEN(qAbs(shift) <= 6, after, QStringLiteral("same place, moved by %1 px").arg(shift));
    VERIFY_SCREEN(told(), prompter->statusLine(), QStringLiteral("status"));
    const QImage talentShows = desktop->grab(talent);
    VERIFY_SCREEN(readsWords(readText(talentShows), QStringLiteral("Line")), talentShows,
                  QStringLiteral("talent"));

    // The keys act on the new page: Q runs it again.
    prompter->keys({QStringLiteral("q")});
    QImage running;
    waitUntil([this, &running, &after] {
        running = prompter->page();
        return differingShare(running, after, 8) > 0.01;
    });
    VERIFY_SCREEN(differingShare(running, after, 8) > 0.01, running, QStringLiteral("running again"));
    prompter->keys({QStringLiteral("q")});
    prompter->click(PrompterWindow::Tool::DualDisplay);
}

void FlowFaults::setOption(const QString &item, int occurrence)
{
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    QVERIFY2(
        clickWord(options, item, occurrence),
        qPrintable(
            QStringLiteral("no item \"%1\": %2").arg(item, described(desktop->grab(options), "options"))));
    desktop->activate(options);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Vantell Options")));
    QVERIFY(desktop->waitForActive(prompter->id()));
}

void FlowFaults::killedEditorsTextIsOfferedAtTheNextStart_data()
{
    QTest::addColumn<QString>("ending");
    // Killed: the text kept a few seconds after typing. Terminated (a shutdown): kept on the way
    // out. A logout: kept when the session manager asks the program to save, before it ends it.
    QTest::newRow("SIGKILL") << QStringLiteral("killed");
    QTest::newRow("SIGTERM") << QStringLiteral("terminated");
    QTest::newRow("logout") << QStringLiteral("logout");
}

void FlowFaults::killedEditorsTextIsOfferedAtTheNextStart()
{
    QFETCH(QString, ending);
    const QString words = ending == QLatin1String("killed") ? QStringLiteral("Breaking harbour news")
                          : ending == QLatin1String("terminated")
                              ? QStringLiteral("Evening lighthouse report")
                              : QStringLiteral("Morning ferry timetable");
    const PrompterRun::Options before = startOptions;
    PrompterRun::Options options = startOptions;
    options.stateHome = scripts.filePath(QStringLiteral("state-") + ending);
    std::unique_ptr<SessionManager> session;
    if (ending == QLatin1String("logout")) {
        session = std::make_unique<SessionManager>();
        QVERIFY2(!session->address().isEmpty(), qPrintable(session->error()));
        options.sessionManager = session->address();
    }
    QVERIFY(startProgram(options));
    prompter->menu(QStringLiteral("q"));
    // A plain script is converted for the editor: the program says so first.
    const quint64 note = desktop->waitForWindow(messageCaption);
    QVERIFY2(note, "no note of the conversion came");
    desktop->activate(note);
    desktop->key(QStringLiteral("Return"));
    const quint64 editor = desktop->waitForWindow(editorCaption);
    QVERIFY2(editor, "the quick editor did not open");
    desktop->activate(editor);
    desktop->key(QStringLiteral("ctrl+Home"));
    desktop->type(words + QStringLiteral(" "));
    if (ending == QLatin1String("killed")) {
        // Killed once the autosave has kept the typed words: nothing after that is asked of it.
        const QString recovery = options.stateHome + QStringLiteral("/korvanex/vantell/quickedit.recovery");
        QVERIFY2(waitUntil([&recovery, &words] {
                     QFile file(recovery);
                     return file.open(QIODevice::ReadOnly) && file.readAll().contains(words.toUtf8());
                 }),
                 "the editor's text was not kept within ten seconds");
        program->kill();
    } else if (ending == QLatin1String("terminated")) {
        QVERIFY(::kill(pid_t(program->processId()), SIGTERM) == 0);
        QVERIFY2(desktop->waitForWindowGone(editorCaption), "the program did not end on SIGTERM");
    } else {
        // Asked at once, before the few seconds after which the text is kept anyway.
        QVERIFY2(session->clients() == 1, "the program did not join the session");
        session->endSession();
        QDeadlineTimer deadline(10000);
        while (session->saved() < 1 && !deadline.hasExpired())
            QThread::msleep(20);
        QVERIFY2(session->saved() == 1 && session->savedAll(), "the program did not save for the logout");
        QVERIFY2(QFile::exists(options.stateHome + QStringLiteral("/korvanex/vantell/quickedit.recovery")),
                 "the editor's text was not kept when the session manager asked");
        // Saving is not ending: the editor stays until the session manager says so.
        QVERIFY(desktop->waitForWindow(editorCaption, 1000));
        session->letDie();
        QVERIFY2(desktop->waitForWindowGone(editorCaption), "the program did not end with the session");
    }

    QVERIFY(startProgram(options));
    const quint64 offer = desktop->waitForWindow(recoverCaption);
    QVERIFY2(offer, "no offer to recover the text came");
    const QImage offered = desktop->grab(offer);
    VERIFY_SCREEN(readsWords(readText(offered), words), offered, QStringLiteral("offer"));
    desktop->activate(offer);
    desktop->key(QStringLiteral("alt+y"));
    const quint64 recovered = desktop->waitForWindow(editorCaption);
    QVERIFY2(recovered, "the quick editor did not open with the text");
    QImage shown;
    waitUntil([this, recovered, &shown, &words] {
        shown = desktop->grab(recovered);
        return readsWords(readText(shown), words);
    });
    VERIFY_SCREEN(readsWords(readText(shown), words), shown, QStringLiteral("recovered"));
    // Closed without saving: the operator has chosen, and the next start offers nothing.
    desktop->activate(recovered);
    desktop->key(QStringLiteral("alt+F4"));
    const quint64 save = desktop->waitForWindow(warningCaption);
    QVERIFY2(save, "closing the editor did not ask to save");
    desktop->activate(save);
    desktop->key(QStringLiteral("alt+n"));
    QVERIFY(desktop->waitForWindowGone(editorCaption));
    QVERIFY(startProgram(options));
    // An offer would come at start: two and a half seconds without one say there is none.
    QVERIFY2(!desktop->waitForWindow(recoverCaption, 2500), "the text was offered again");
    startProgram(before);
}

void FlowFaults::aChangedScriptIsShownWhenTheOptionSaysSo()
{
    const QString path =
        writeScript(QStringLiteral("bulletin.txt"), "Harbour lights tonight\r\nA ship comes in\r\n");
    prompter->menu(QStringLiteral("o"));
    QVERIFY(chooseFile(QStringLiteral("Open"), path));
    QVERIFY(readsWords(waitForPageText(QStringLiteral("harbour lights")), QStringLiteral("harbour lights")));

    // Off (the default): the page stays, the status line tells.
    writeScript(QStringLiteral("bulletin.txt"), "Lighthouse keeper retires\r\n");
    waitUntil([this] { return readsWords(prompter->statusText(), QStringLiteral("script file changed")); });
    VERIFY_SCREEN(readsWords(prompter->statusText(), QStringLiteral("script file changed")),
                  prompter->statusLine(), QStringLiteral("told"));
    const QImage kept = settledPage();
    VERIFY_SCREEN(readsWords(readText(kept), QStringLiteral("harbour lights")), kept, QStringLiteral("kept"));

    // On: the new text comes.
    // The options window's third "Yes" is Reload when the file changes'.
    setOption(QStringLiteral("Yes"), 2);
    if (QTest::currentTestFailed())
        return;
    writeScript(QStringLiteral("bulletin.txt"), "Lighthouse keeper retires\r\nafter forty years\r\n");
    const QString reloaded = waitForPageText(QStringLiteral("lighthouse keeper"));
    VERIFY_SCREEN(readsWords(reloaded, QStringLiteral("lighthouse keeper")), prompter->page(),
                  QStringLiteral("reloaded"));
    setOption(QStringLiteral("No"), 2);
}

QTEST_GUILESS_MAIN(FlowFaults)
#include "flow_faults.moc"

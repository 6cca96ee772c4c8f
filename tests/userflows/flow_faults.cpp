#include <csignal>

#include <QDir>
#include <QFile>
#include <QThread>

#include "userflow.h"

// Faults the operator should hardly notice: the browser's process that draws the pages is killed
// (as the out-of-memory killer does) and the pages come back by themselves where they stood.
class FlowFaults : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { recoverFromFailure(); }
    void killedDisplayComesBackAtItsPlace();

private:
    // Kills every process that draws a page for the program; returns how many.
    int killRenderers() const;
};

namespace {

const QString talentCaption = QStringLiteral("Talent Display");

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
    prompter->keys(QStringList(30, QStringLiteral("w")));
    QThread::msleep(600);
    prompter->keys({QStringLiteral("q")});
    const QImage before = settledPage();
    VERIFY_SCREEN(!readText(before).contains(QLatin1String("line 1 and")), before, QStringLiteral("before"));

    // The two displays' pages may share one renderer or have one each: every one goes.
    const int killed = killRenderers();
    QVERIFY2(killed >= 1, "the program has no renderer to kill");
    qInfo("killed %d renderer processes", killed);
    QThread::msleep(1500);
    const QImage after = settledPage();
    VERIFY_SCREEN(readsWords(readText(after), QStringLiteral("Line")), after, QStringLiteral("restored"));
    // The very place: the same picture as before the kill.
    VERIFY_SCREEN(differingShare(after, before, 8) < 0.0005, after, QStringLiteral("same place"));
    VERIFY_SCREEN(readsWords(prompter->statusText(), QStringLiteral("restored")), prompter->statusLine(),
                  QStringLiteral("status"));
    const QImage talentShows = desktop->grab(talent);
    VERIFY_SCREEN(readsWords(readText(talentShows), QStringLiteral("Line")), talentShows,
                  QStringLiteral("talent"));

    // The keys act on the new page: Q runs it again.
    prompter->keys({QStringLiteral("q")});
    QThread::msleep(1000);
    const QImage running = prompter->page();
    VERIFY_SCREEN(differingShare(running, after, 8) > 0.01, running, QStringLiteral("running again"));
    prompter->keys({QStringLiteral("q")});
    prompter->click(PrompterWindow::Tool::DualDisplay);
}

QTEST_GUILESS_MAIN(FlowFaults)
#include "flow_faults.moc"

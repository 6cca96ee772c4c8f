#include <QAction>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

#include "core/app/commandline.h"
#include "core/remote/oscserver.h"
#include "core/remote/remoteserver.h"
#include "ui/app/commandlinestart.h"
#include "testsupport/programwindows.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "ui/remote/remotecontrol.h"
#include "core/settings/settingsstore.h"
#include "ui/options/tform4.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"

class TestCommandLineStart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void scriptOpensAsTheMenuOpensIt();
    void unreadableScriptShowsTheMenuCommandsMessage();
    void queueStartsPausedAtItsFirstScript();
    void emptyQueueOnlyPauses();
    void queueReplacesTheOneBefore();
    void aPortGivenForTheRunIsListenedOn();

private:
    QString write(const QString &name, const QByteArray &bytes);
    // Opens what the command line names and waits for the page it loads (false when none).
    bool openAndWait(const QStringList &arguments, int timeoutMs = 20000);
    void startMoving();

    QTemporaryDir m_dir;
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
};

void TestCommandLineStart::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QVERIFY(m_form);
}

void TestCommandLineStart::cleanupTestCase()
{
    delete m_env;
}

void TestCommandLineStart::init()
{
    m_env->dialogs.clear();
    windows().Form4->clearQueue();
    m_form->promptstate.queuepos = 0;
}

QString TestCommandLineStart::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

bool TestCommandLineStart::openAndWait(const QStringList &arguments, int timeoutMs)
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    openFromCommandLine(CommandLine(QStringList{"vantell"} + arguments), windows());
    return !measured.isEmpty() || measured.wait(timeoutMs);
}

void TestCommandLineStart::startMoving()
{
    m_form->engine->setSpeed(50);
    m_form->adjustspeed();
    m_form->resume();
}

void TestCommandLineStart::scriptOpensAsTheMenuOpensIt()
{
    const QString path = write(QStringLiteral("talk.txt"), "Good evening\r\n");
    QVERIFY(openAndWait({path}));
    QCOMPARE(m_form->promptstate.scriptpath, path);
    QCOMPARE(m_form->promptstate.scriptlines, QStringList{"Good evening"});
    QCOMPARE(m_form->Label4->text(), path);
    QVERIFY(m_env->dialogs.messages().isEmpty());
}

void TestCommandLineStart::unreadableScriptShowsTheMenuCommandsMessage()
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.txt"));
    m_env->dialogs.files.enqueue({missing, 1});
    m_form->OpenSimplescript1->trigger();
    const QStringList fromMenu = m_env->dialogs.messages();
    QCOMPARE(fromMenu.size(), 1);
    QVERIFY(fromMenu.constFirst().contains(missing));
    m_env->dialogs.clear();

    QVERIFY(!openAndWait({missing}, 300));
    QCOMPARE(m_env->dialogs.messages(), fromMenu);
}

void TestCommandLineStart::queueStartsPausedAtItsFirstScript()
{
    const QString first = write(QStringLiteral("first.txt"), "First script\r\n");
    const QString second = write(QStringLiteral("second.txt"), "Second script\r\n");
    const QString queue = write(QStringLiteral("show.vnq"), (first + "\r\n" + second + "\r\n").toUtf8());
    startMoving();
    QVERIFY(m_form->Timer1->isEnabled());
    QVERIFY(openAndWait({QStringLiteral("--queue"), queue}));

    QCOMPARE(windows().Form4->queue(), (QStringList{first, second}));
    QCOMPARE(m_form->promptstate.queuepos, 0);
    QCOMPARE(m_form->promptstate.scriptpath, first);
    QCOMPARE(m_form->promptstate.scriptlines, QStringList{"First script"});
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    QVERIFY(m_env->dialogs.messages().isEmpty());

    // The queue runs on as one started from the options window: D loads the next script.
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->wb1KeyDown(Qt::Key_D);
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_form->promptstate.queuepos, 1);
    QCOMPARE(m_form->promptstate.scriptpath, second);
}

void TestCommandLineStart::emptyQueueOnlyPauses()
{
    const QString before = m_form->promptstate.scriptpath;
    startMoving();
    QVERIFY(!openAndWait({write(QStringLiteral("empty.vnq"), {})}, 300));
    QVERIFY(windows().Form4->queue().isEmpty());
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    QCOMPARE(m_form->promptstate.scriptpath, before);
    QVERIFY(m_env->dialogs.messages().isEmpty());
}

void TestCommandLineStart::queueReplacesTheOneBefore()
{
    const QString old = write(QStringLiteral("old.txt"), "Old\r\n");
    const QString fresh = write(QStringLiteral("fresh.txt"), "Fresh\r\n");
    windows().Form4->setQueue({old, old, old});
    m_form->promptstate.queuepos = 2;
    QVERIFY(openAndWait({write(QStringLiteral("fresh.vnq"), fresh.toUtf8())}));
    QCOMPARE(windows().Form4->queue(), QStringList{fresh});
    QCOMPARE(m_form->promptstate.queuepos, 0);
    QCOMPARE(m_form->promptstate.scriptpath, fresh);
}

void TestCommandLineStart::aPortGivenForTheRunIsListenedOn()
{
    RemoteControl &remote = *windows().remote;
    const RemoteSettings kept = remote.settings();
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    openFromCommandLine(CommandLine({"vantell", "--port", QString::number(port)}), windows());
    QVERIFY(remote.server()->isListening());
    QCOMPARE(remote.server()->port(), port);
    // OSC on the port after it.
    QVERIFY(remote.oscServer()->isListening());
    QCOMPARE(remote.oscServer()->port(), quint16(port + 1));
    QVERIFY(m_env->dialogs.messages().isEmpty());
    // Confirming the options window keeps the run's port and switch for this run only.
    windows().Form4->accept();
    QVERIFY(remote.server()->isListening());
    QCOMPARE(remote.server()->port(), port);
    SettingsStore store;
    RemoteSettings stored;
    readremotesettings(store.settings(), stored);
    QCOMPARE(stored.enabled, kept.enabled);
    QCOMPARE(stored.port, kept.port);
    QCOMPARE(stored.oscPort, kept.oscPort);
    remote.apply(kept);
    QVERIFY(!remote.server()->isListening());

    // A port another program holds: the operator is told, and the prompter runs on.
    QTcpServer other;
    QVERIFY(other.listen(QHostAddress::LocalHost, 0));
    openFromCommandLine(CommandLine({"vantell", "--port", QString::number(other.serverPort())}), windows());
    QVERIFY(!remote.server()->isListening());
    QVERIFY(!m_env->dialogs.messages().isEmpty());
    remote.apply(kept);
}

VANTELL_UI_TEST_MAIN(TestCommandLineStart)
#include "test_commandlinestart.moc"

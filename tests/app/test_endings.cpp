#include <csignal>
#include <cstdio>
#include <random>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include "ui/app/programending.h"
#include "testsupport/programwindows.h"
#include "ui/editor/recoveryautosave.h"
#include "core/editor/recoverystore.h"
#include "ui/editor/tform2.h"
#include "ui/prompter/tform1.h"
#include "core/rtf/rtf.h"
#include "testsupport/eventwait.h"
#include "testsupport/scripteddialogs.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"
#include "ui/toolkit/stepslider.h"

// The program ended from outside, as a child process: killed (SIGKILL) while the quick editor
// holds unsaved text, which the recovery file keeps; asked to end (SIGTERM, SIGINT), which it does
// as its Exit command does. The child is this test program started again in a child's part.
class TestEndings : public QObject {
    Q_OBJECT
private slots:
    void killedEditorsTextIsRecovered();
    void terminatedProgramWritesItsSettings_data();
    void terminatedProgramWritesItsSettings();
    void terminatedProgramKeepsTheEditorsUnsavedText_data();
    void terminatedProgramKeepsTheEditorsUnsavedText();
    void savedTextLeavesNoRecoveryBehind();
    void offeredTextOpensInTheEditorOrIsDropped();
};

namespace {

const QString editorChild = QStringLiteral("--editor-child");
const QString programChild = QStringLiteral("--program-child");
constexpr int kills = 20;

// Starts this program as a child in `part`, its settings and state in `home`; waits for its
// line "ready".
bool startChild(QProcess &child, const QString &part, const QString &home, const QStringList &arguments = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/state"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), QStringList{part} + arguments);
    if (!child.waitForStarted(10000))
        return false;
    while (child.waitForReadyRead(30000))
        if (child.readAll().contains("ready"))
            return true;
    return false;
}

QString recoveryPath(const QString &home)
{
    return home + QStringLiteral("/state/korvanex/vantell/quickedit.recovery");
}

QString recoveredPlainText(const RecoveredText &text)
{
    QTextDocument document;
    readRtf(text.rtf, &document);
    return document.toPlainText();
}

// The child's parts. The editor alone, typing on and on: "ready" once the first words are in.
int runEditorChild(const QString &words)
{
    TForm2 editor;
    editor.recovery->setStore(RecoveryStore());
    editor.recovery->setDelay(150);
    editor.show();
    QTest::keyClicks(editor.re1, words);
    std::puts("ready");
    std::fflush(stdout);
    QTimer typing;
    int typed = 0;
    QObject::connect(&typing, &QTimer::timeout, &editor,
                     [&] { QTest::keyClicks(editor.re1, QStringLiteral(" more%1").arg(++typed)); });
    typing.start(20);
    return VantellApplication::exec();
}

// The program's windows as it starts them, ended on request as it is: "ready" once the page
// stands (and, with `words`, the quick editor shows them unsaved).
int runProgramChild(const QString &words)
{
    ScriptedDialogs dialogs;
    createWindows();
    TForm1 *prompter = windows().Form1;
    endProgramOnRequest(prompter);
    QObject::connect(prompter, &TForm1::pageMeasured, prompter, [prompter, words] {
        static bool once = false;
        if (std::exchange(once, true))
            return;
        prompter->speedmod->setValue(7);
        if (words.isEmpty()) {
            std::puts("ready");
            std::fflush(stdout);
            return;
        }
        QTimer::singleShot(0, prompter, [words] {
            TForm2 *editor = windows().Form2;
            QTimer::singleShot(200, editor, [editor, words] {
                QTest::keyClicks(editor->re1, words);
                std::puts("ready");
                std::fflush(stdout);
            });
            windows().Form1->EditScript2Click();
        });
    });
    prompter->show();
    const int result = VantellApplication::exec();
    destroyWindows();
    return result;
}

} // namespace

void TestEndings::killedEditorsTextIsRecovered()
{
    std::mt19937 random(21);
    std::uniform_int_distribution<int> after(0, 1200);
    int recovered = 0;
    for (int run = 0; run < kills; ++run) {
        QTemporaryDir home;
        const QString words = QStringLiteral("Take %1: good evening, and welcome to the news").arg(run);
        QProcess child;
        QVERIFY(startChild(child, editorChild, home.path(), {words}));
        // Past the first keeping, at a random point of the typing and keeping that follow.
        runEventsFor(300 + after(random));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        const std::optional<RecoveredText> text = RecoveryStore(recoveryPath(home.path())).load();
        QVERIFY2(text, qPrintable(QStringLiteral("run %1: no recovery file").arg(run)));
        if (recoveredPlainText(*text).startsWith(words))
            ++recovered;
    }
    qInfo("recovered after SIGKILL: %d of %d", recovered, kills);
    QCOMPARE(recovered, kills);
}

void TestEndings::terminatedProgramWritesItsSettings_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestEndings::terminatedProgramWritesItsSettings()
{
    QFETCH(int, signal);
    QTemporaryDir home;
    QProcess child;
    QVERIFY(startChild(child, programChild, home.path()));
    ::kill(pid_t(child.processId()), signal);
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QSettings settings(home.path() + QStringLiteral("/config/korvanex/vantell.conf"),
                       QSettings::NativeFormat);
    QCOMPARE(settings.value(QStringLiteral("Form1/speedmod_Value")).toString(), QStringLiteral("7"));
    QVERIFY(!QFile::exists(recoveryPath(home.path())));
}

void TestEndings::terminatedProgramKeepsTheEditorsUnsavedText_data()
{
    terminatedProgramWritesItsSettings_data();
}

void TestEndings::terminatedProgramKeepsTheEditorsUnsavedText()
{
    QFETCH(int, signal);
    QTemporaryDir home;
    QProcess child;
    const QString words = QStringLiteral("Breaking: the bridge reopens at noon");
    QVERIFY(startChild(child, programChild, home.path(), {words}));
    // At once: the text is kept on the way out, not only a few seconds after typing.
    ::kill(pid_t(child.processId()), signal);
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(child.exitCode(), 0);
    const std::optional<RecoveredText> text = RecoveryStore(recoveryPath(home.path())).load();
    QVERIFY(text);
    QVERIFY2(recoveredPlainText(*text).contains(words), qPrintable(recoveredPlainText(*text)));
    QSettings settings(home.path() + QStringLiteral("/config/korvanex/vantell.conf"),
                       QSettings::NativeFormat);
    QCOMPARE(settings.value(QStringLiteral("Form1/speedmod_Value")).toString(), QStringLiteral("7"));
}

void TestEndings::savedTextLeavesNoRecoveryBehind()
{
    // In this process: text kept, then saved by the user, leaves no file to offer.
    QTemporaryDir home;
    qputenv("XDG_STATE_HOME", (home.path() + QStringLiteral("/state")).toLocal8Bit());
    TForm2 editor;
    editor.recovery->setStore(RecoveryStore());
    editor.recovery->setDelay(50);
    editor.show();
    QSignalSpy kept(editor.recovery, &RecoveryAutosave::kept);
    QTest::keyClicks(editor.re1, QStringLiteral("Unsaved words"));
    QVERIFY(runEventsUntil([&] { return !kept.isEmpty(); }));
    QVERIFY(QFile::exists(recoveryPath(home.path())));
    editor.editmodified = false; // as a save leaves it
    editor.close();
    QVERIFY(!QFile::exists(recoveryPath(home.path())));
}

void TestEndings::offeredTextOpensInTheEditorOrIsDropped()
{
    UiTestEnvironment env;
    TForm1 *prompter = env.start();
    TForm2 *editor = windows().Form2;
    const RecoveryStore store;
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Recovered words of the evening\\par}";
    const QString name = QStringLiteral("/srv/show/evening.vnr");
    const auto leave = [&] { store.save(RecoveredText{name, QDateTime::currentDateTimeUtc(), rtf}); };

    // Nothing left: nothing asked.
    prompter->offerRecovery();
    QCOMPARE(env.dialogs.shown.size(), 0);

    // No: the text goes, and the editor stays closed.
    leave();
    env.dialogs.answers.enqueue(false);
    prompter->offerRecovery();
    QCOMPARE(env.dialogs.shown.size(), 1);
    const QString offer = env.dialogs.shown.first().text;
    QVERIFY2(offer.contains(QLatin1String("Recovered words of the evening")) && offer.contains(name),
             qPrintable(offer));
    QCOMPARE(env.dialogs.shown.first().caption, QStringLiteral("Recover unsaved text"));
    QVERIFY(!store.exists());
    QVERIFY(!editor->isVisible());

    // Yes: the editor opens with the text, unsaved, under its name.
    leave();
    env.dialogs.clear();
    env.dialogs.answers.enqueue(true);
    // Closing then asks to save first: No, which loses it as the operator chose.
    env.dialogs.answers.enqueue(false);
    bool shownWithText = false;
    QTimer inside;
    inside.setSingleShot(true);
    connect(&inside, &QTimer::timeout, editor, [&] {
        shownWithText = editor->isVisible() &&
                        editor->re1->toPlainText().contains(QLatin1String("Recovered words")) &&
                        editor->editmodified && editor->documentname() == name;
        editor->close();
    });
    inside.start(300);
    prompter->offerRecovery();
    QVERIFY(shownWithText);
    QVERIFY(!store.exists());

    // A damaged file is told of and kept aside, not offered.
    QFile damaged(store.path());
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("VANTELL-QUICKEDIT-RECOVERY 1\ncut");
    damaged.close();
    env.dialogs.clear();
    prompter->offerRecovery();
    QCOMPARE(env.dialogs.messages().size(), 1);
    QVERIFY(env.dialogs.messages().first().contains(store.path() + QStringLiteral(".damaged")));
    QVERIFY(QFile::exists(store.path() + QStringLiteral(".damaged")));
    QVERIFY(!store.exists());
}

int main(int argc, char *argv[])
{
    const QString part = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString words = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    VantellApplication::prepareProcess();
    VantellApplication app(argc, argv);
    initTranslation();
    if (part == editorChild)
        return runEditorChild(words);
    if (part == programChild)
        return runProgramChild(words);
    TestEndings test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_endings.moc"

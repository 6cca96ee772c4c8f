#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "core/app/commandline.h"
#include "core/platform/datapaths.h"
#include "testsupport/testmain.h"

extern "C" int _nl_msg_cat_cntr; // glibc: bumping it makes gettext look at LANGUAGE again

using Request = CommandLine::Request;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void requests_data();
    void requests();
    void scriptIsTakenAsGiven();
    void queueOptionReadsTheQueue();
    void queueFileAsScriptStartsTheQueue();
    void emptyQueueStartsEmpty();
    void unreadableQueueIsAFileMistake();
    void mistakesNameTheProblemAndPointToHelp();
    void aFollowerNamesItsLeaderAndNothingElse();
    void aPortIsOneRemoteControlsCanHave();
    void aStandbyNamesItsPrompter();
    void helpListsOptionsArgumentAndFiles();
    void helpSaysWhenTheSpecialTableIsMissing();
    void versionIsTheProjectVersion();
    void answerPrintsOnTheRightStream();
    void printTextWritesEveryKindOfScript();
    void germanCatalogueTranslatesHelpAndMistakes();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    static QStringList line(const QStringList &arguments) { return QStringList{"vantell"} + arguments; }
    QTemporaryDir m_dir;
    QTemporaryDir m_config;
};

void TestCommandLine::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
}

void TestCommandLine::cleanup()
{
    DataPaths::overrideSearchDirs({});
    qputenv("LANGUAGE", "");
    ++_nl_msg_cat_cntr;
}

QString TestCommandLine::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void TestCommandLine::requests_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Request>("request");
    QTest::addColumn<int>("exitStatus");
    QTest::newRow("nothing") << QStringList{} << Request::Run << 0;
    QTest::newRow("a script") << QStringList{"talk.vnr"} << Request::Run << 0;
    QTest::newRow("--help") << QStringList{"--help"} << Request::ShowHelp << 0;
    QTest::newRow("-h") << QStringList{"-h"} << Request::ShowHelp << 0;
    QTest::newRow("help wins over a script") << QStringList{"talk.vnr", "--help"} << Request::ShowHelp << 0;
    QTest::newRow("--version") << QStringList{"--version"} << Request::ShowVersion << 0;
    QTest::newRow("-v") << QStringList{"-v"} << Request::ShowVersion << 0;
    QTest::newRow("unknown long option") << QStringList{"--speed=10"} << Request::Mistake << 2;
    QTest::newRow("unknown short option") << QStringList{"-x", "talk.vnr"} << Request::Mistake << 2;
    QTest::newRow("unknown beside help") << QStringList{"--help", "--bogus"} << Request::Mistake << 2;
    QTest::newRow("queue without its file") << QStringList{"--queue"} << Request::Mistake << 2;
    QTest::newRow("two scripts") << QStringList{"one.txt", "two.txt"} << Request::Mistake << 2;
    QTest::newRow("a script and a queue")
        << QStringList{"one.txt", "--queue", "show.vnq"} << Request::Mistake << 2;
    QTest::newRow("a missing queue") << QStringList{"--queue", "/nonexistent/show.vnq"} << Request::Mistake
                                     << 1;
    QTest::newRow("--print-text") << QStringList{"--print-text", "talk.txt"} << Request::PrintText << 1;
    QTest::newRow("--print-text without its file") << QStringList{"--print-text"} << Request::Mistake << 2;
    QTest::newRow("--print-text and a script")
        << QStringList{"--print-text", "a.txt", "b.txt"} << Request::Mistake << 2;
    QTest::newRow("--print-text and a queue")
        << QStringList{"--print-text", "a.txt", "--queue", "show.vnq"} << Request::Mistake << 2;
    QTest::newRow("a missing script still runs") << QStringList{"/nonexistent/talk.txt"} << Request::Run << 0;
}

void TestCommandLine::requests()
{
    QFETCH(QStringList, arguments);
    QFETCH(Request, request);
    QFETCH(int, exitStatus);
    const CommandLine commandLine(line(arguments));
    QCOMPARE(commandLine.request(), request);
    QString out;
    QString errors;
    QTextStream outStream(&out);
    QTextStream errorStream(&errors);
    QCOMPARE(commandLine.answer(outStream, errorStream), exitStatus);
    QCOMPARE(commandLine.mistakeText().isEmpty(), request != Request::Mistake);
}

void TestCommandLine::scriptIsTakenAsGiven()
{
    const CommandLine commandLine(line({"shows/talk.VNR"}));
    QCOMPARE(commandLine.scriptPath(), QStringLiteral("shows/talk.VNR"));
    QVERIFY(!commandLine.startsQueue());
    QCOMPARE(CommandLine(line({})).scriptPath(), QString());
    // After "--" a name that looks like an option is a script.
    QCOMPARE(CommandLine(line({"--", "--odd.txt"})).scriptPath(), QStringLiteral("--odd.txt"));
    // --remote goes with a script (or a queue) and alone; it is off unless given.
    const CommandLine remote(line({"--remote", "shows/talk.VNR"}));
    QVERIFY(remote.remoteControl());
    QCOMPARE(remote.request(), CommandLine::Request::Run);
    QCOMPARE(remote.scriptPath(), QStringLiteral("shows/talk.VNR"));
    QVERIFY(!commandLine.remoteControl());
}

void TestCommandLine::queueOptionReadsTheQueue()
{
    const QString queue = writeFile(QStringLiteral("show.vnq"), "/shows/one.vnr\r\n/shows/two.txt\r\n");
    for (const QStringList &arguments :
         {QStringList{"--queue", queue}, QStringList{"-q", queue}, QStringList{"--queue=" + queue}}) {
        const CommandLine commandLine(line(arguments));
        QCOMPARE(commandLine.request(), Request::Run);
        QVERIFY(commandLine.startsQueue());
        QCOMPARE(commandLine.queueEntries(), (QStringList{"/shows/one.vnr", "/shows/two.txt"}));
        QCOMPARE(commandLine.scriptPath(), QString());
    }
}

void TestCommandLine::queueFileAsScriptStartsTheQueue()
{
    // A queue opened from the file manager arrives as the script; any case of the extension.
    const QString queue = writeFile(QStringLiteral("SHOW.VNQ"), "/shows/one.vnr\n");
    const CommandLine commandLine(line({queue}));
    QCOMPARE(commandLine.request(), Request::Run);
    QVERIFY(commandLine.startsQueue());
    QCOMPARE(commandLine.queueEntries(), QStringList{"/shows/one.vnr"});
    QCOMPARE(commandLine.scriptPath(), QString());
}

void TestCommandLine::emptyQueueStartsEmpty()
{
    const CommandLine commandLine(line({"--queue", writeFile(QStringLiteral("empty.vnq"), {})}));
    QCOMPARE(commandLine.request(), Request::Run);
    QVERIFY(commandLine.startsQueue());
    QVERIFY(commandLine.queueEntries().isEmpty());
}

void TestCommandLine::unreadableQueueIsAFileMistake()
{
    const QString folder = m_dir.filePath(QStringLiteral("folder.vnq"));
    QVERIFY(QDir().mkpath(folder));
    for (const QString &path : {m_dir.filePath(QStringLiteral("missing.vnq")), folder}) {
        const CommandLine commandLine(line({path}));
        QCOMPARE(commandLine.request(), Request::Mistake);
        QVERIFY(!commandLine.startsQueue());
        QVERIFY2(commandLine.mistakeText().startsWith(QStringLiteral("vantell: Cannot open file \"") + path),
                 qPrintable(commandLine.mistakeText()));
        // Nothing is wrong with the command line itself: no pointer to the help.
        QVERIFY(!commandLine.mistakeText().contains(QStringLiteral("--help")));
    }
}

void TestCommandLine::mistakesNameTheProblemAndPointToHelp()
{
    const QString tryHelp = QStringLiteral("\nTry \"vantell --help\" for more information.");
    QCOMPARE(CommandLine(line({"--speed=10", "-x"})).mistakeText(),
             QStringLiteral("vantell: Unknown option: --speed, -x") + tryHelp);
    QCOMPARE(CommandLine(line({"one.txt", "two.txt", "three.txt"})).mistakeText(),
             QStringLiteral("vantell: Only one script can be opened, but these were given: one.txt, two.txt, "
                            "three.txt") +
                 tryHelp);
    QCOMPARE(CommandLine(line({"one.txt", "-q", "show.vnq"})).mistakeText(),
             QStringLiteral("vantell: Give either a script or a queue, not both.") + tryHelp);
    const QString missingValue = CommandLine(line({"--queue"})).mistakeText();
    QVERIFY2(missingValue.startsWith(QStringLiteral("vantell: Wrong command line: ")) &&
                 missingValue.contains(QStringLiteral("queue")) && missingValue.endsWith(tryHelp),
             qPrintable(missingValue));
    // The program is named as it was called.
    QVERIFY(CommandLine({"/usr/bin/vantell", "-x"})
                .mistakeText()
                .startsWith(QStringLiteral("vantell: Unknown option: -x")));
}

void TestCommandLine::aFollowerNamesItsLeaderAndNothingElse()
{
    const CommandLine follower(line({"--follow", "studio-a:7800", "--token", "abc", "--rotate"}));
    QCOMPARE(follower.request(), CommandLine::Request::Run);
    QCOMPARE(follower.leaders().size(), 1);
    QCOMPARE(follower.leaders().constFirst().toString(),
             QStringLiteral("ws://studio-a:7800/socket?token=abc"));
    QVERIFY(follower.rotatesFollower());
    QVERIFY(!follower.mirrorsFollower());
    QVERIFY(CommandLine(line({"script.txt"})).leaders().isEmpty());
    // A prompter and its standby, tried in this order, both with the token.
    const CommandLine both(line({"--follow", "studio-a,studio-b:7801", "--token", "abc"}));
    QCOMPARE(both.leaders().size(), 2);
    QCOMPARE(both.leaders().at(1).toString(), QStringLiteral("ws://studio-b:7801/socket?token=abc"));
    // A wrong address (one of several is enough), a follower given a script, --remote or a port
    // of its own, the follower's options alone.
    for (const QStringList &wrong : QList<QStringList>{{"--follow", "http://studio-a"},
                                                       {"--follow", "studio-a,http://studio-b"},
                                                       {"--follow", "studio-a,"},
                                                       {"--follow", "studio-a", "script.txt"},
                                                       {"--follow", "studio-a", "--remote"},
                                                       {"--follow", "studio-a", "--port", "7800"},
                                                       {"--mirror"},
                                                       {"--token", "abc", "script.txt"}}) {
        const CommandLine refused(line(wrong));
        QCOMPARE(refused.request(), CommandLine::Request::Mistake);
        QVERIFY(refused.mistakeText().contains(QLatin1String("--help")));
    }
}

void TestCommandLine::aStandbyNamesItsPrompter()
{
    // A standby has a port of its own, so that it can stand by on the prompter's machine.
    const CommandLine standby(line({"--standby", "[::1]:7800", "--token", "abc", "--port", "7810"}));
    QCOMPARE(standby.request(), CommandLine::Request::Run);
    QCOMPARE(standby.standbyOf().toString(), QStringLiteral("ws://[::1]:7800/socket?token=abc"));
    QCOMPARE(standby.port(), std::optional<int>(7810));
    QVERIFY(standby.leaders().isEmpty());
    QCOMPARE(CommandLine(line({"--standby", "studio-a"})).standbyOf().port(), 7755);
    QVERIFY(CommandLine(line({"--port", "7800"})).standbyOf().isEmpty());
    // One prompter only; its page is the standby's, so no script, queue or turned display of its
    // own; not a follower at once.
    for (const QStringList &wrong : QList<QStringList>{{"--standby", "studio-a,studio-b"},
                                                       {"--standby", "http://studio-a"},
                                                       {"--standby", "studio-a", "script.txt"},
                                                       {"--standby", "studio-a", "--queue", "show.vnq"},
                                                       {"--standby", "studio-a", "--mirror"},
                                                       {"--standby", "studio-a", "--follow", "studio-b"},
                                                       {"--standby", "studio-a", "--port", "0"}}) {
        const CommandLine refused(line(wrong));
        QVERIFY2(refused.request() == CommandLine::Request::Mistake, qPrintable(wrong.join(u' ')));
        QVERIFY(refused.mistakeText().contains(QLatin1String("--help")));
    }
}

void TestCommandLine::aPortIsOneRemoteControlsCanHave()
{
    QVERIFY(!CommandLine(line({"--remote"})).port());
    // A port turns remote control on for the run; OSC takes the next, so the last is not one.
    const CommandLine prompter(line({"--port", "7800", "script.txt"}));
    QCOMPARE(prompter.request(), CommandLine::Request::Run);
    QCOMPARE(prompter.port(), std::optional<int>(7800));
    QCOMPARE(prompter.scriptPath(), QStringLiteral("script.txt"));
    QCOMPARE(CommandLine(line({"--port", "65534"})).port(), std::optional<int>(65534));
    for (const char *wrong : {"0", "65535", "-1", "http", "7800x", ""}) {
        const CommandLine refused(line({"--port", wrong}));
        QCOMPARE(refused.request(), CommandLine::Request::Mistake);
        QVERIFY2(
            refused.mistakeText().contains(QStringLiteral("\"%1\" is no port").arg(QLatin1String(wrong))),
            qPrintable(refused.mistakeText()));
    }
}

void TestCommandLine::helpListsOptionsArgumentAndFiles()
{
    const QString help = CommandLine(line({"--help"})).helpText();
    const QString expectedStart = QStringLiteral(
        "Usage: vantell [options] [script]\n"
        "Teleprompter: shows a script as large text that scrolls at an adjustable speed.\n"
        "\n"
        "Options:\n"
        "  -h, --help               Show this help and exit.\n"
        "  -v, --version            Show the version and exit.\n"
        "  -q, --queue <file>       Load a queue of scripts (.vnq) and start it.\n"
        "  --print-text <file>      Write the text of a script to standard output, one line of the "
        "page a line, and exit.\n"
        "  --remote                 Let remote controls drive the prompter, as set in the options "
        "window (on this computer only unless the network is allowed there).\n"
        "  --follow <host[:port]>   Be the talent display of the prompter at this address (its "
        "remote control listening), following it over the network; of several addresses, separated "
        "by commas, the next one whenever one goes.\n"
        "  --standby <host[:port]>  Be the standby of the prompter at this address (its remote "
        "control listening): mirror it, and take the show over when it stops answering.\n"
        "  --port <port>            Let remote controls drive the prompter for this run, on this "
        "port (OSC on the port after it).\n"
        "  --token <token>          The token the prompter's remote control asks for (with --follow "
        "or --standby).\n"
        "  --mirror                 Mirror this talent display (with --follow).\n"
        "  --rotate                 Turn this talent display upside down (with --follow).\n"
        "\n"
        "Arguments:\n"
        "  script  Script to open (.txt, .rtf, .vnr, .docx, .odt, .md, .html); a queue (.vnq) "
        "starts as with --queue.\n"
        "\n"
        "Files:\n");
    QCOMPARE(help.left(expectedStart.size()), expectedStart);
    // The files are where this program finds them: the settings under the configuration folder,
    // the special characters table beside the executable (the build tree).
    QVERIFY2(help.contains(QStringLiteral("  settings            ") + m_config.path() +
                           QStringLiteral("/korvanex/vantell.conf\n")),
             qPrintable(help));
    QVERIFY2(help.contains(QStringLiteral("  special characters  ") + QCoreApplication::applicationDirPath() +
                           QStringLiteral("/specialchars.dat\n")),
             qPrintable(help));
}

void TestCommandLine::helpSaysWhenTheSpecialTableIsMissing()
{
    QTemporaryDir empty;
    DataPaths::overrideSearchDirs({empty.path()});
    QVERIFY(CommandLine(line({"-h"}))
                .helpText()
                .endsWith(QStringLiteral("  special characters  specialchars.dat (not found)\n")));
}

void TestCommandLine::versionIsTheProjectVersion()
{
    QCOMPARE(CommandLine(line({"--version"})).versionText(), QStringLiteral("Vantell " VANTELL_VERSION));
}

void TestCommandLine::answerPrintsOnTheRightStream()
{
    const auto answer = [](const QStringList &arguments, QString &out, QString &errors) {
        QTextStream outStream(&out);
        QTextStream errorStream(&errors);
        return CommandLine(line(arguments)).answer(outStream, errorStream);
    };
    QString out;
    QString errors;
    QCOMPARE(answer({"--version"}, out, errors), 0);
    QCOMPARE(out, QStringLiteral("Vantell " VANTELL_VERSION "\n"));
    QCOMPARE(errors, QString());

    out.clear();
    QCOMPARE(answer({"--help"}, out, errors), 0);
    QCOMPARE(out, CommandLine(line({"--help"})).helpText());
    QCOMPARE(errors, QString());

    out.clear();
    QCOMPARE(answer({"--bogus"}, out, errors), 2);
    QCOMPARE(out, QString());
    QCOMPARE(errors, CommandLine(line({"--bogus"})).mistakeText() + QLatin1Char('\n'));

    errors.clear();
    QCOMPARE(answer({"talk.txt"}, out, errors), 0);
    QCOMPARE(out, QString());
    QCOMPARE(errors, QString());
}

void TestCommandLine::printTextWritesEveryKindOfScript()
{
    QTemporaryDir dir;
    const auto write = [&dir](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    };
    const auto printed = [](const QString &path, QString &out, QString &errors) {
        QTextStream outStream(&out);
        QTextStream errorStream(&errors);
        return CommandLine(line({"--print-text", path})).answer(outStream, errorStream);
    };
    const QList<QPair<QString, QByteArray>> scripts{
        {QStringLiteral("talk.txt"), "Caf\xc3\xa9\r\n\r\nend"},
        {QStringLiteral("talk.rtf"), "{\\rtf1\\ansi Caf\\'e9\\par\\par end}"},
        {QStringLiteral("talk.vnr"), "{\\rtf1\\ansi {\\b Caf\\'e9}\\par\\par end\\par}"},
        {QStringLiteral("talk.html"), "<p>Caf&eacute;<br><br>end</p>"}};
    for (const auto &[name, bytes] : scripts) {
        QString out;
        QString errors;
        QCOMPARE(printed(write(name, bytes), out, errors), 0);
        QCOMPARE(out, QStringLiteral("Caf\u00e9\n\nend\n"));
        QCOMPARE(errors, QString());
    }
    // Markdown has no empty paragraphs; its line breaks are lines of the page. A list item's mark
    // is read as its item's start.
    QString markdown;
    QString noErrors;
    QCOMPARE(printed(write(QStringLiteral("talk.md"), "# Caf\xc3\xa9\n\none  \ntwo\n\n- end\n\n1. first\n"),
                     markdown, noErrors),
             0);
    QCOMPARE(markdown, QStringLiteral("Caf\u00e9\none\ntwo\n\u2022 end\n1. first\n"));

    QString out;
    QString errors;
    const QString unknown = write(QStringLiteral("talk.doc"), "x");
    QCOMPARE(printed(unknown, out, errors), 1);
    QCOMPARE(out, QString());
    QCOMPARE(
        errors,
        QStringLiteral("vantell: \"%1\" is no script: its file format is not recognized.\n").arg(unknown));
    errors.clear();
    const QString broken = write(QStringLiteral("talk.docx"), "x");
    QCOMPARE(printed(broken, out, errors), 1);
    QCOMPARE(out, QString());
    QVERIFY2(errors.startsWith(QStringLiteral("vantell: Cannot import \"%1\": ").arg(broken)),
             qPrintable(errors));
}

void TestCommandLine::germanCatalogueTranslatesHelpAndMistakes()
{
    qputenv("LANGUAGE", "de");
    ++_nl_msg_cat_cntr;
    const QString help = CommandLine(line({"--help"})).helpText();
    QVERIFY2(help.startsWith(QStringLiteral("Aufruf: vantell [Optionen] [Skript]\n")), qPrintable(help));
    QVERIFY2(help.contains(QStringLiteral("-q, --queue <Datei>")), qPrintable(help));
    QCOMPARE(CommandLine(line({"--bogus"})).mistakeText(),
             QStringLiteral("vantell: Unbekannte Option: --bogus\n"
                            "Mehr dazu zeigt \"vantell --help\"."));
}

VANTELL_CORE_TEST_MAIN(TestCommandLine)
#include "test_commandline.moc"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "testsupport/testmain.h"
#include "testsupport/ziparchive.h"

// The program itself, as a terminal runs it: help, version and mistakes are answered without a
// display, a window or the browser.
class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void helpNeedsNoDisplay();
    void versionNeedsNoDisplay();
    void mistakesExitWithTheirStatus_data();
    void mistakesExitWithTheirStatus();
    void helpIsTranslatedFromTheBuildTreesCatalogues();
    void printTextNeedsNoDisplay();

private:
    struct Run {
        int exitStatus = -1;
        QString out, errors;
    };
    // Runs the program where no display can be reached: making a window would end it at once.
    static Run run(const QStringList &arguments, const QString &language = {});
};

TestProgram::Run TestProgram::run(const QStringList &arguments, const QString &language)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("LANGUAGE"), language);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VANTELL_PROGRAM), arguments);
    Run result;
    if (!program.waitForFinished(10000) || program.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitStatus = program.exitCode();
    result.out = QString::fromUtf8(program.readAllStandardOutput());
    result.errors = QString::fromUtf8(program.readAllStandardError());
    return result;
}

void TestProgram::helpNeedsNoDisplay()
{
    const Run help = run({QStringLiteral("--help")});
    QCOMPARE(help.exitStatus, 0);
    QVERIFY2(help.out.startsWith(QStringLiteral("Usage: vantell [options] [script]\n")),
             qPrintable(help.out));
    QVERIFY(help.out.contains(QStringLiteral("--queue <file>")));
    QCOMPARE(help.errors, QString());
}

void TestProgram::versionNeedsNoDisplay()
{
    const Run version = run({QStringLiteral("-v")});
    QCOMPARE(version.exitStatus, 0);
    QCOMPARE(version.out, QStringLiteral("Vantell " VANTELL_VERSION "\n"));
    QCOMPARE(version.errors, QString());
}

void TestProgram::mistakesExitWithTheirStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitStatus");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "vantell: Unknown option: --bogus";
    QTest::newRow("two scripts")
        << QStringList{"a.txt", "b.txt"} << 2
        << "vantell: Only one script can be opened, but these were given: a.txt, b.txt";
    QTest::newRow("missing queue") << QStringList{"--queue", "/nonexistent/show.vnq"} << 1
                                   << "vantell: Cannot open file \"/nonexistent/show.vnq\". No such file or "
                                      "directory";
}

void TestProgram::mistakesExitWithTheirStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitStatus);
    QFETCH(QString, firstLine);
    const Run mistake = run(arguments);
    QCOMPARE(mistake.exitStatus, exitStatus);
    QCOMPARE(mistake.out, QString());
    QCOMPARE(mistake.errors.section(QLatin1Char('\n'), 0, 0), firstLine);
}

void TestProgram::helpIsTranslatedFromTheBuildTreesCatalogues()
{
    const Run help = run({QStringLiteral("--help")}, QStringLiteral("de"));
    QCOMPARE(help.exitStatus, 0);
    QVERIFY2(help.out.startsWith(QStringLiteral("Aufruf: vantell [Optionen] [Skript]\n")),
             qPrintable(help.out));
}

void TestProgram::printTextNeedsNoDisplay()
{
    QTemporaryDir dir;
    const QString docx = dir.filePath(QStringLiteral("talk.docx"));
    writezip(
        docx,
        {{QStringLiteral("word/document.xml"),
          "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
          "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>Gr\xc3\xbc\xc3\x9f Gott</w:t><w:br/><w:t>und</w:t></w:r></w:p>"
          "<w:p/><w:p><w:r><w:t>\xe2\x80\x94 Ende</w:t></w:r></w:p></w:body></w:document>"}});
    const Run text = run({QStringLiteral("--print-text"), docx});
    QCOMPARE(text.exitStatus, 0);
    QCOMPARE(text.out, QStringLiteral("Gr\u00fc\u00df Gott\nund\n\n\u2014 Ende\n"));
    QVERIFY2(!text.errors.contains(QStringLiteral("QFont")), qPrintable(text.errors));

    const QString broken = dir.filePath(QStringLiteral("broken.odt"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("no zip");
    file.close();
    const Run refused = run({QStringLiteral("--print-text"), broken});
    QCOMPARE(refused.exitStatus, 1);
    QCOMPARE(refused.out, QString());
    QVERIFY2(refused.errors.contains(QStringLiteral("vantell: Cannot import \"%1\": ").arg(broken)),
             qPrintable(refused.errors));
}

VANTELL_CORE_TEST_MAIN(TestProgram)
#include "test_program.moc"

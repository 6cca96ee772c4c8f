#include <csignal>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>

#include "core/render/droppedfiles.h"
#include "core/render/richfile.h"
#include "core/render/scriptloader.h"
#include "core/render/scripttext.h"
#include "testsupport/testmain.h"

class TestScriptLoader : public QObject {
    Q_OBJECT
private slots:
    void kindsByExtension_data();
    void kindsByExtension();
    void choploaderTrimsLineBreakEntries();
    void plainLinesOfARichControl();
    void richFilesRoundTrip();
    void nonRtfLoadsAsPlainText();
    void unreadableFilesThrowAndChangeNothing();
    void failedSavesKeepTheOldFile();
    void failedWritePartWayKeepsTheOldFile();
    void droppedFilesAreLocalScripts();
    void wordsOfScriptFiles();
};

void TestScriptLoader::droppedFilesAreLocalScripts()
{
    QMimeData data;
    QCOMPARE(droppedfiles(&data), QStringList());
    QCOMPARE(droppedfiles(nullptr), QStringList());
    data.setText(QStringLiteral("/a/talk.txt")); // text is no file
    QCOMPARE(droppedfiles(&data), QStringList());
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/a/b c.TXT")),
                  QUrl(QStringLiteral("https://x.org/s.txt")),
                  QUrl::fromLocalFile(QStringLiteral("/a/photo.png")),
                  QUrl(QStringLiteral("file:///a/%C3%A9.docx")), QUrl()});
    QCOMPARE(droppedfiles(&data), (QStringList{"/a/b c.TXT", "/a/photo.png", "/a/é.docx"}));
    QCOMPARE(droppedscripts(&data), (QStringList{"/a/b c.TXT", "/a/é.docx"}));
}

void TestScriptLoader::wordsOfScriptFiles()
{
    QTemporaryDir dir;
    const auto words = [&dir](const QString &name, const QByteArray &bytes) {
        QFile file(dir.filePath(name));
        if (!bytes.isNull() && file.open(QIODevice::WriteOnly))
            file.write(bytes);
        file.close();
        return scriptwords(file.fileName()).value_or(-1);
    };
    QCOMPARE(words(QStringLiteral("a.txt"), "One two\r\n## Marker here\r\nthree\r\n"), 3);
    // A heading names a place and is not read.
    QCOMPARE(
        words(QStringLiteral("b.rtf"),
              "{\\rtf1{\\stylesheet{\\s1 heading 1;}}\\pard\\s1 Big title\\par\\pard one two three\\par}"),
        3);
    QCOMPARE(words(QStringLiteral("c.md"), "# Title\n\nfour words are here\n"), 4);
    QCOMPARE(words(QStringLiteral("d.docx"), "not a zip"), -1);
    QCOMPARE(words(QStringLiteral("missing.txt"), QByteArray()), -1);
    QCOMPARE(words(QStringLiteral("e.doc"), "x"), -1);
}

void TestScriptLoader::kindsByExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::newRow("txt") << "/a/talk.txt" << int(ScriptKind::Text);
    QTest::newRow("TXT upper case") << "/a/TALK.TXT" << int(ScriptKind::Text);
    QTest::newRow("rtf") << "talk.Rtf" << int(ScriptKind::RichText);
    QTest::newRow("vnr") << "/x.y/talk.vnr" << int(ScriptKind::Vantell);
    QTest::newRow("docx") << "/a/talk.DOCX" << int(ScriptKind::Document);
    QTest::newRow("odt") << "talk.odt" << int(ScriptKind::Document);
    QTest::newRow("markdown") << "talk.md" << int(ScriptKind::Document);
    QTest::newRow("html") << "talk.htm" << int(ScriptKind::Document);
    QTest::newRow("other") << "/a/talk.doc" << int(ScriptKind::Unrecognized);
    QTest::newRow("none") << "/a/txt" << int(ScriptKind::Unrecognized);
    QTest::newRow("empty") << "" << int(ScriptKind::Unrecognized);
}

void TestScriptLoader::kindsByExtension()
{
    QFETCH(QString, path);
    QFETCH(int, kind);
    QCOMPARE(int(scriptkind(path)), kind);
}

void TestScriptLoader::choploaderTrimsLineBreakEntries()
{
    QStringList lines{"<P>", "<BR>", "<BR>text", "<br>", "<BR><BR>", "x<BR>", "<BR"};
    choploader(lines);
    QCOMPARE(lines, (QStringList{"<P>", "\r\n", "text", "<br>", "<BR>", "x<BR>", "<BR"}));
}

void TestScriptLoader::plainLinesOfARichControl()
{
    QTextEdit edit;
    QCOMPARE(plainlines(&edit), QStringList{});
    QTextCursor cursor(edit.document());
    cursor.insertText(QStringLiteral("one"));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral(" two"), bold);
    cursor.insertBlock();
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("three") + QChar(QChar::LineSeparator) + QStringLiteral("four"));
    cursor.insertBlock();
    QCOMPARE(plainlines(&edit), (QStringList{"one two", "", "three", "four"}));
}

void TestScriptLoader::richFilesRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.vnr"));
    QTextEdit source;
    QTextCursor cursor(source.document());
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontPointSize(30);
    cursor.insertText(QStringLiteral("Caf\u00e9 \u2014 "), red);
    cursor.insertText(QStringLiteral("\u041f\u0440\u0438\u0432\u0435\u0442"));
    saverichfile(&source, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("{\\rtf1\\ansi"));

    QTextEdit target;
    target.setPlainText(QStringLiteral("old"));
    loadrichfile(&target, path);
    QCOMPARE(target.toPlainText(), source.toPlainText());
    const QTextCharFormat first = target.document()->begin().begin().fragment().charFormat();
    QCOMPARE(first.foreground().color(), QColor(255, 0, 0));
    QCOMPARE(first.fontPointSize(), 30.0);
}

void TestScriptLoader::nonRtfLoadsAsPlainText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.vnr"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFline one\r\n{\\rtf not at the start}\r\n");
    file.close();
    QTextEdit edit;
    loadrichfile(&edit, path);
    QCOMPARE(plainlines(&edit), (QStringList{"line one", "{\\rtf not at the start}"}));
}

void TestScriptLoader::unreadableFilesThrowAndChangeNothing()
{
    QTemporaryDir dir;
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("kept"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             loadrichfile(&edit, dir.filePath(QStringLiteral("missing.vnr"))));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, loadrichfile(&edit, dir.path()));
    QCOMPARE(edit.toPlainText(), QStringLiteral("kept"));
    try {
        loadrichfile(&edit, dir.filePath(QStringLiteral("missing.vnr")));
    } catch (const std::runtime_error &error) {
        QVERIFY(QString::fromUtf8(error.what()).contains(QStringLiteral("missing.vnr")));
    }
}

void TestScriptLoader::failedSavesKeepTheOldFile()
{
    QTemporaryDir dir;
    QTextEdit edit;
    edit.setPlainText(QStringLiteral("text"));
    // A folder in the way, and a folder that does not exist.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, saverichfile(&edit, dir.path()));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             saverichfile(&edit, dir.filePath(QStringLiteral("no/such/folder/s.vnr"))));
}

void TestScriptLoader::failedWritePartWayKeepsTheOldFile()
{
    // A file-size limit makes the write fail part-way, as a full disk would.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.vnr"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("{\\rtf1 old and whole}");
    old.close();

    QTextEdit edit;
    edit.setPlainText(QString(200000, QLatin1Char('x')));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    bool threw = false;
    try {
        saverichfile(&edit, path);
    } catch (const std::runtime_error &) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(threw);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("{\\rtf1 old and whole}"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("s.vnr")});
}

VANTELL_CORE_TEST_MAIN(TestScriptLoader)
#include "test_scriptloader.moc"

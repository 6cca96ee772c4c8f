#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>

#include "testsupport/programwindows.h"
#include "ui/browser/browser.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "ui/options/tform4.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "testsupport/ziparchive.h"
#include "ui/toolkit/application.h"

// Opening scripts in the prompter, from the menu and from the queue.
class TestScripts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void textScriptResetsTheDisplayFont();
    void cancelledDialogChangesNothing();
    void upperCaseExtensionLoads();
    void rtfScriptLosesItsFormatting();
    void vnrScriptKeepsItsFormatting();
    void unrecognizedFileKeepsThePage();
    void importedDocumentsKeepTheirFormatting();
    void brokenDocumentKeepsScriptAndPage();
    void unreadableFilesKeepScriptAndPage();
    void queueStepsBothWaysWithoutWrapping();
    void emptyQueueStepsNowhere();
    void stepsPastTheEndReportTheIndex();
    void unrecognizedEntryStillMovesTheQueue();
    void queueTextEntryKeepsTheFont();

private:
    QString write(const QString &name, const QByteArray &bytes);
    bool open(const QString &path);
    bool step(bool forward);
    QStringList bodyLines() const;
    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    QTemporaryDir m_dir;
};

namespace {
const QByteArray richScript =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
    "\\pard\\qc\\cf1\\fs40 Red & <centred>\\par\\pard\\par plain\\par}";
}

void TestScripts::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
}

void TestScripts::cleanupTestCase()
{
    delete m_env;
}

void TestScripts::init()
{
    m_env->dialogs.clear();
    windows().Form4->ListBox1->clear();
    m_form->promptstate.queuepos = 0;
}

QString TestScripts::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

bool TestScripts::open(const QString &path)
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_env->dialogs.files.enqueue({path, 1});
    m_form->OpenSimplescript1->trigger();
    return measured.wait(20000);
}

bool TestScripts::step(bool forward)
{
    // A step that loads nothing starts no load at all: a short look is enough to tell.
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->wb1KeyDown(forward ? Qt::Key_D : Qt::Key_A);
    return m_form->wb1->isDocumentComplete() ? measured.wait(300) : measured.wait(20000);
}

QStringList TestScripts::bodyLines() const
{
    const QStringList &page = m_form->promptstate.pagelines;
    qsizetype body = 0;
    while (body < page.size() && !page.at(body).startsWith(QLatin1String("<body")))
        ++body;
    return page.mid(body + 1, page.size() - body - 13);
}

void TestScripts::textScriptResetsTheDisplayFont()
{
    m_form->displayfont.name = QStringLiteral("Liberation Serif");
    m_form->displayfont.size = 60;
    m_form->displayfont.color = Qt::yellow;
    m_form->engine->setSpeed(50);
    m_form->adjustspeed();
    const QString path = write(QStringLiteral("talk.txt"), "First line\r\nSecond \xe9t\xe9\r\n");
    QVERIFY(open(path));
    const auto &request = m_env->dialogs.shown.constLast().request;
    QCOMPARE(request.filter,
             QStringLiteral("Vantell Readable|*.txt;*.rtf;*.vnr|Word Processor Documents|*.docx;*.odt|"
                            "Markdown and HTML|*.md;*.markdown;*.html;*.htm"));
    QCOMPARE(m_form->displayfont.name, QStringLiteral("Arial"));
    QCOMPARE(m_form->displayfont.size, 24);
    QCOMPARE(m_form->displayfont.color, QColor(Qt::white));
    QCOMPARE(bodyLines(), (QStringList{"First line<br>", "Second &eacute;t&eacute;<br>"}));
    QCOMPARE(m_form->promptstate.scriptpath, path);
    QCOMPARE(m_form->Label4->text(), path);
    QVERIFY(!m_form->promptstate.richscript);
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    QVERIFY(m_form->promptstate.pagelines.contains(QStringLiteral("font-family: Arial;")));
}

void TestScripts::cancelledDialogChangesNothing()
{
    const QStringList page = m_form->promptstate.pagelines;
    m_form->promptstate.richscript = true;
    m_form->OpenSimplescript1->trigger();
    QCOMPARE(m_form->promptstate.pagelines, page);
    QVERIFY(m_form->promptstate.richscript);
}

void TestScripts::upperCaseExtensionLoads()
{
    QVERIFY(open(write(QStringLiteral("LOUD.TXT"), "LOUD\n")));
    QCOMPARE(bodyLines(), QStringList{"LOUD<br>"});
}

void TestScripts::rtfScriptLosesItsFormatting()
{
    m_form->displayfont.name = QStringLiteral("Liberation Serif");
    QVERIFY(open(write(QStringLiteral("news.rtf"), richScript)));
    // Its text is shown as written: signs that look like markup are escaped.
    QCOMPARE(bodyLines(), (QStringList{"Red &amp; &lt;centred&gt;<br>", "<br>", "plain<br>"}));
    QCOMPARE(m_form->displayfont.name, QStringLiteral("Liberation Serif"));
    QVERIFY(!m_form->promptstate.richscript);
}

void TestScripts::vnrScriptKeepsItsFormatting()
{
    m_form->displayfont.name = QStringLiteral("Liberation Serif");
    QVERIFY(open(write(QStringLiteral("news.vnr"), richScript)));
    QVERIFY(m_form->promptstate.richscript);
    QCOMPARE(m_form->displayfont.name, QStringLiteral("Liberation Serif"));
    const QString body = bodyLines().join(QLatin1Char('\n'));
    QVERIFY(body.contains(QStringLiteral("<P STYLE=\"text-align: center;\">")));
    QVERIFY(body.contains(QStringLiteral("color: #FF0000; font-size: 20pt; font-family: Arial;")));
    QVERIFY(body.contains(QStringLiteral("Red &amp; &lt;centred&gt;")));
    // No entry is a lone "<BR>" any more: choploader turned them into line breaks.
    QVERIFY(!m_form->promptstate.scriptlines.contains(QStringLiteral("<BR>")));
}

void TestScripts::importedDocumentsKeepTheirFormatting()
{
    m_form->displayfont.name = QStringLiteral("Liberation Serif");
    const QString docx = m_dir.filePath(QStringLiteral("interview.docx"));
    writezip(docx,
             {{QStringLiteral("word/document.xml"),
               "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
               "<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:r><w:rPr><w:color w:val=\"FF0000\"/>"
               "<w:sz w:val=\"40\"/><w:rFonts w:ascii=\"Arial\"/></w:rPr><w:t>Red &amp; &lt;centred&gt;</w:t>"
               "</w:r></w:p><w:p/><w:p><w:r><w:t>plain</w:t></w:r></w:p></w:body></w:document>"}});
    QVERIFY(open(docx));
    QVERIFY(m_form->promptstate.richscript);
    QCOMPARE(m_form->displayfont.name, QStringLiteral("Liberation Serif"));
    const QString body = bodyLines().join(QLatin1Char('\n'));
    QVERIFY(body.contains(QStringLiteral("<P STYLE=\"text-align: center;\">")));
    QVERIFY(body.contains(QStringLiteral("color: #FF0000; font-size: 20pt; font-family: Arial;")));
    QVERIFY(body.contains(QStringLiteral("Red &amp; &lt;centred&gt;")));
    QVERIFY(body.contains(QStringLiteral("plain")));
    QCOMPARE(m_form->promptstate.scriptpath, docx);

    // The queue steps into imported documents as into any other script.
    windows().Form4->ListBox1->addItem(write(QStringLiteral("first.txt"), "first\n"));
    windows().Form4->ListBox1->addItem(write(QStringLiteral("notes.md"), "# Notes\n\n*leaning*\n"));
    m_form->promptstate.queuepos = 0;
    QVERIFY(step(true));
    QVERIFY(m_form->promptstate.richscript);
    const QString notes = bodyLines().join(QLatin1Char('\n'));
    QVERIFY2(notes.contains(QStringLiteral("font-size: 24pt; font-family: Liberation Serif;\"><B>Notes")),
             qPrintable(notes));
    QVERIFY2(notes.contains(QStringLiteral("font-size: 12pt; font-family: Liberation Serif;\"><I>leaning")),
             qPrintable(notes));
}

void TestScripts::brokenDocumentKeepsScriptAndPage()
{
    QVERIFY(open(write(QStringLiteral("news.vnr"), richScript)));
    const QStringList page = m_form->promptstate.pagelines;
    const QStringList script = m_form->promptstate.scriptlines;
    for (const QString &path : {write(QStringLiteral("fake.docx"), "not a zip"),
                                write(QStringLiteral("fake.odt"), "PK\x03\x04 cut off")}) {
        m_env->dialogs.clear();
        m_env->dialogs.files.enqueue({path, 1});
        m_form->OpenSimplescript1->trigger();
        QCOMPARE(m_env->dialogs.messages().size(), 1);
        QVERIFY(m_env->dialogs.messages().constFirst().contains(QFileInfo(path).fileName()));
        QCOMPARE(m_form->promptstate.pagelines, page);
        QCOMPARE(m_form->promptstate.scriptlines, script);
        QVERIFY(m_form->Label4->text().endsWith(QStringLiteral("news.vnr")));
    }
}

void TestScripts::unrecognizedFileKeepsThePage()
{
    QVERIFY(open(write(QStringLiteral("kept.txt"), "kept\n")));
    const QStringList page = m_form->promptstate.pagelines;
    m_form->promptstate.richscript = true;
    m_env->dialogs.files.enqueue({write(QStringLiteral("report.doc"), "x"), 1});
    m_form->OpenSimplescript1->trigger();
    QCOMPARE(m_env->dialogs.messages(), QStringList{QStringLiteral("Unrecognized file format.")});
    QCOMPARE(m_form->promptstate.pagelines, page);
    QVERIFY(!m_form->promptstate.richscript);
    QVERIFY(m_form->Label4->text().endsWith(QStringLiteral("kept.txt")));
}

void TestScripts::unreadableFilesKeepScriptAndPage()
{
    QVERIFY(open(write(QStringLiteral("kept.txt"), "kept\n")));
    m_form->displayfont.name = QStringLiteral("Liberation Serif");
    const QStringList page = m_form->promptstate.pagelines;
    const QStringList script = m_form->promptstate.scriptlines;
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.txt")));
    for (const QString &path :
         {m_dir.filePath(QStringLiteral("missing.txt")), m_dir.filePath(QStringLiteral("folder.txt")),
          m_dir.filePath(QStringLiteral("missing.vnr"))}) {
        m_env->dialogs.clear();
        m_env->dialogs.files.enqueue({path, 1});
        m_form->OpenSimplescript1->trigger();
        QCOMPARE(m_env->dialogs.messages().size(), 1);
        QVERIFY(m_env->dialogs.messages().constFirst().contains(QFileInfo(path).fileName()));
        QCOMPARE(m_form->promptstate.pagelines, page);
        QCOMPARE(m_form->promptstate.scriptlines, script);
        QCOMPARE(m_form->displayfont.name, QStringLiteral("Liberation Serif"));
    }
}

void TestScripts::queueStepsBothWaysWithoutWrapping()
{
    const QStringList entries{write(QStringLiteral("one.txt"), "one\n"),
                              write(QStringLiteral("two.vnr"), richScript),
                              write(QStringLiteral("three.txt"), "three\n")};
    windows().Form4->ListBox1->addItems(entries);
    QVERIFY(step(true));
    QCOMPARE(m_form->promptstate.queuepos, 1);
    QCOMPARE(m_form->promptstate.scriptpath, entries.at(1));
    QVERIFY(m_form->promptstate.richscript);
    QVERIFY(step(true));
    QCOMPARE(m_form->promptstate.queuepos, 2);
    QCOMPARE(bodyLines(), QStringList{"three<br>"});
    QVERIFY(!m_form->promptstate.richscript);
    QVERIFY(!step(true)); // at the end: nothing
    QCOMPARE(m_form->promptstate.queuepos, 2);
    QVERIFY(step(false));
    QCOMPARE(m_form->promptstate.queuepos, 1);
    QVERIFY(step(false));
    QVERIFY(!step(false));
    QCOMPARE(m_form->promptstate.queuepos, 0);
    QCOMPARE(m_form->Label4->text(), entries.at(0));
    QVERIFY(m_env->dialogs.messages().isEmpty());
}

void TestScripts::emptyQueueStepsNowhere()
{
    const QStringList page = m_form->promptstate.pagelines;
    m_form->engine->setSpeed(30);
    m_form->dopause();
    QVERIFY(!step(true));
    QVERIFY(!step(false));
    QCOMPARE(m_form->promptstate.queuepos, 0);
    QCOMPARE(m_form->promptstate.pagelines, page);
    QVERIFY(m_env->dialogs.shown.isEmpty());
    // The key still applies the speed, as every key but Q does.
    QVERIFY(m_form->Timer1->isEnabled());
    m_form->dopause();
}

void TestScripts::stepsPastTheEndReportTheIndex()
{
    windows().Form4->ListBox1->addItems(
        {write(QStringLiteral("a.txt"), "a\n"), write(QStringLiteral("b.txt"), "b\n")});
    m_form->promptstate.queuepos = 3; // the queue was shortened after stepping
    QVERIFY(!step(true));
    QCOMPARE(m_form->promptstate.queuepos, 4);
    QCOMPARE(m_env->dialogs.messages(), QStringList{QStringLiteral("List index out of bounds (4)")});
    m_env->dialogs.clear();
    QVERIFY(!step(false));
    QVERIFY(!step(false));
    QCOMPARE(m_env->dialogs.messages().size(), 2);
    QVERIFY(step(false)); // back inside the list: loads again
    QCOMPARE(m_form->promptstate.queuepos, 1);
    QCOMPARE(bodyLines(), QStringList{"b<br>"});
}

void TestScripts::unrecognizedEntryStillMovesTheQueue()
{
    windows().Form4->ListBox1->addItems({write(QStringLiteral("a.txt"), "a\n"), QString()});
    QVERIFY(!step(true));
    QCOMPARE(m_form->promptstate.queuepos, 1);
    QCOMPARE(m_env->dialogs.messages(), QStringList{QStringLiteral("Unrecognized file format.")});
}

void TestScripts::queueTextEntryKeepsTheFont()
{
    m_form->displayfont.name = QStringLiteral("Liberation Serif");
    m_form->displayfont.size = 50;
    windows().Form4->ListBox1->addItems(
        {write(QStringLiteral("a.txt"), "a\n"), write(QStringLiteral("b.txt"), "b\n")});
    QVERIFY(step(true));
    QCOMPARE(m_form->displayfont.name, QStringLiteral("Liberation Serif"));
    QCOMPARE(m_form->displayfont.size, 50);
}

VANTELL_UI_TEST_MAIN(TestScripts)
#include "test_scripts.moc"

#include <csignal>
#include <sys/resource.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "ui/editor/findreplacedialog.h"
#include "ui/editor/tform2.h"
#include "testsupport/scripteddialogs.h"
#include "testsupport/testmain.h"

// The quick editor's documents: file commands, their questions and messages, and the close query.
class TestEditorFiles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void closeQuery_data();
    void closeQuery();
    void newWithAndWithoutChanges();
    void firstSaveOfAnotherTypeAsksForAVnrName();
    void upperCaseVnrAlwaysAsksForAName();
    void choosingAnotherFileWarnsThatItIsReplaced();
    void emptyDocumentIsNotSaved();
    void cancelledSaveDialogsChangeNothing();
    void openKeepsColoursImportTurnsTextWhite();
    void exportLeavesTheStateAlone();
    void failedWritesKeepTheOldFileAndTheChanges();
    void failedReadKeepsTheDocument();
    void dialogsStartInTheDocumentsFolderOrTheLastOneUsed();
    void windowKeysRunTheFileAndFindCommands();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QByteArray read(const QString &path) const;
    QStringList questions() const;
    void type(const QString &text);

    ScriptedDialogs m_dialogs;
    TForm2 *m_form = nullptr;
    QTemporaryDir m_dir;
};

namespace {
const QByteArray blackRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;\\red255\\green0"
    "\\blue0;}\\f0\\cf1 black \\cf2 red\\par}";
const QString q1 = QStringLiteral("You have made changes to this script.  Do you wish to save them first?");
const QString q2 = QStringLiteral("You have made changes to this script.  Do you wish to save it first?");
const QString q3 = QStringLiteral(
    "Warning: You will lose all changes to this script if you do not save it.  Do you still wish to exit?");

QColor colourAt(QTextEdit *edit, int position)
{
    QTextCursor cursor(edit->document());
    cursor.setPosition(position);
    return cursor.charFormat().foreground().color();
}
} // namespace

void TestEditorFiles::init()
{
    m_dialogs.clear();
    m_dialogs.answers.clear();
    m_dialogs.files.clear();
    m_form = new TForm2;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestEditorFiles::cleanup()
{
    delete m_form;
}

QString TestEditorFiles::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

QByteArray TestEditorFiles::read(const QString &path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TestEditorFiles::questions() const
{
    QStringList texts;
    for (const ScriptedDialogs::Shown &item : m_dialogs.shown)
        if (item.kind == ScriptedDialogs::Shown::Question && item.caption == QLatin1String("Warning"))
            texts << item.text;
    return texts;
}

void TestEditorFiles::type(const QString &text)
{
    m_form->re1->moveCursor(QTextCursor::End);
    m_form->re1->insertPlainText(text);
}

void TestEditorFiles::closeQuery_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("savedAs"); // the save dialog's answer: empty cancels it
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("asked");

    const int ok = QDialog::Accepted, cancel = QDialog::Rejected;
    QTest::newRow("not modified") << false << "/s/talk.vnr" << QList<bool>{} << "" << false << ok
                                  << QStringList{};
    QTest::newRow("named, No") << true << "/s/talk.vnr" << QList<bool>{false} << "" << false << cancel
                               << QStringList{q2};
    QTest::newRow("unnamed, No") << true << "" << QList<bool>{false} << "" << false << cancel
                                 << QStringList{q2};
    QTest::newRow("new, No, No") << true << "No Script." << QList<bool>{false, false} << "" << true << cancel
                                 << QStringList{q2, q3};
    QTest::newRow("new, No, Yes") << true << "No Script." << QList<bool>{false, true} << "" << false << cancel
                                  << QStringList{q2, q3};
    QTest::newRow("Yes, save dialog cancelled")
        << true << "No Script." << QList<bool>{true} << "" << false << cancel << QStringList{q2};
    QTest::newRow("Yes, saved") << true << "/s/talk.txt" << QList<bool>{true} << "saved.vnr" << false << ok
                                << QStringList{q2};
}

void TestEditorFiles::closeQuery()
{
    QFETCH(bool, modified);
    QFETCH(QString, name);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, savedAs);
    QFETCH(bool, staysOpen);
    QFETCH(int, result);
    QFETCH(QStringList, asked);

    type(QStringLiteral("script text"));
    m_form->editmodified = modified;
    m_form->setdocumentname(name);
    for (bool answer : answers)
        m_dialogs.answers.enqueue(answer);
    if (!savedAs.isEmpty())
        m_dialogs.files.enqueue({m_dir.filePath(savedAs), 1});
    m_form->Exit1->trigger();
    QCOMPARE(m_form->isVisible(), staysOpen);
    QCOMPARE(questions(), asked);
    if (staysOpen) {
        QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("script text"));
        QCOMPARE(m_form->re1->lineWrapMode(), QTextEdit::WidgetWidth);
        return;
    }
    QCOMPARE(m_form->result(), result);
    if (!savedAs.isEmpty())
        QVERIFY(read(m_dir.filePath(savedAs)).startsWith("{\\rtf"));
}

void TestEditorFiles::newWithAndWithoutChanges()
{
    type(QStringLiteral("old text"));
    m_form->editmodified = false;
    m_form->New1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QString());
    QCOMPARE(m_form->documentname(), QStringLiteral("No Script."));
    QVERIFY(!m_form->editmodified);
    QCOMPARE(questions(), QStringList{});

    // Yes saves and keeps the text; once saved, New empties it without a question.
    type(QStringLiteral("new text"));
    m_dialogs.answers.enqueue(true);
    const QString path = m_dir.filePath(QStringLiteral("new.vnr"));
    m_dialogs.files.enqueue({path, 1});
    m_form->New1->trigger();
    QCOMPARE(m_dialogs.shown.constLast().request.fileName, QStringLiteral("No Script."));
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("new text"));
    QCOMPARE(m_form->documentname(), path);
    QVERIFY(QFile::exists(path));
    m_form->New1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QString());
    QCOMPARE(questions(), QStringList{q1});

    // No throws the changes away.
    type(QStringLiteral("more"));
    m_dialogs.answers.enqueue(false);
    m_form->New1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QString());
    QCOMPARE(m_form->documentname(), QStringLiteral("No Script."));
    QVERIFY(!m_form->editmodified);
}

void TestEditorFiles::firstSaveOfAnotherTypeAsksForAVnrName()
{
    const QString talk = write(QStringLiteral("talk.txt"), "Hello\r\n");
    m_dialogs.files.enqueue({talk, 1});
    m_form->Import1->trigger();
    const QString vnr = m_dir.filePath(QStringLiteral("talk.vnr"));
    m_dialogs.files.enqueue({vnr, 1});
    m_form->Save1->trigger();
    const FileDialogRequest &request = m_dialogs.shown.constLast().request;
    QCOMPARE(m_dialogs.shown.constLast().kind, ScriptedDialogs::Shown::SaveFile);
    QCOMPARE(request.title, QStringLiteral("Vantell2 File Save/Export"));
    QCOMPARE(request.filter, QStringLiteral("Vantell Files *.vnr|*.vnr"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("vnr"));
    // Never the file the script came from: its name as a rich script.
    QCOMPARE(request.fileName, QStringLiteral("talk.vnr"));
    QVERIFY(request.confirmOverwrite);
    QCOMPARE(m_form->documentname(), vnr);
    QVERIFY(m_form->editsaved);
    QCOMPARE(m_dialogs.messages(), QStringList{}); // the dialog path shows no "Script Saved"
    QCOMPARE(read(talk), QByteArray("Hello\r\n"));

    // Now named .vnr: Save writes directly, also with nothing changed.
    m_dialogs.clear();
    QFile::remove(vnr);
    m_form->Save1->trigger();
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("Script Saved")});
    QCOMPARE(m_dialogs.shown.size(), 1);
    QVERIFY(read(vnr).contains("Hello"));
}

void TestEditorFiles::upperCaseVnrAlwaysAsksForAName()
{
    const QString loud = write(QStringLiteral("LOUD.VNR"), "{\\rtf1 Loud\\par}");
    m_dialogs.files.enqueue({loud, 1});
    m_form->Open1->trigger();
    for (int i = 0; i < 2; ++i) {
        m_dialogs.files.enqueue({loud, 1});
        m_form->Save1->trigger();
        QCOMPARE(m_dialogs.shown.constLast().kind, ScriptedDialogs::Shown::SaveFile);
        QCOMPARE(m_dialogs.shown.constLast().request.fileName, QStringLiteral("LOUD.VNR"));
    }
}

void TestEditorFiles::choosingAnotherFileWarnsThatItIsReplaced()
{
    const QByteArray document = "PK\x03\x04 a word processor's document";
    const QString show = write(QStringLiteral("show.final.docx"), document);
    const QString notes = write(QStringLiteral("notes.txt"), "notes\r\n");
    m_form->setdocumentname(show);
    type(QStringLiteral("Changed text"));
    m_form->editmodified = true;

    // Proposed as a script of its own; the operator picks the document all the same and hears what
    // would happen, with No the answer Enter gives. No (the scripted default) saves nothing.
    m_dialogs.files.enqueue({show, 1});
    m_form->Save1->trigger();
    QCOMPARE(m_dialogs.shown.at(0).request.fileName, QStringLiteral("show.final.vnr"));
    const QString warning = QStringLiteral(
        "\"show.final.docx\" is not a Vantell script. Saving here replaces the whole file with a "
        "rich script (.vnr), and what it holds now is lost.\n\nReplace \"show.final.docx\"?");
    QCOMPARE(questions(), QStringList{warning});
    QCOMPARE(m_dialogs.shown.constLast().byDefault, Dialogs::Answer::No);
    QCOMPARE(read(show), document);
    QCOMPARE(m_form->documentname(), show);
    QVERIFY(m_form->editmodified);
    QVERIFY(!m_form->editsaved);

    // Save As asks the same; Yes is the operator's to give.
    m_dialogs.clear();
    m_dialogs.files.enqueue({notes, 1});
    m_dialogs.answers.enqueue(true);
    m_form->SaveAs1->trigger();
    QCOMPARE(questions(), QStringList{QString(warning).replace(QLatin1String("show.final.docx"),
                                                               QLatin1String("notes.txt"))});
    QVERIFY(read(notes).startsWith("{\\rtf"));
    QCOMPARE(m_form->documentname(), notes);

    // A .vnr is replaced with the file dialog's own question only.
    m_dialogs.clear();
    const QString script = write(QStringLiteral("script.vnr"), "{\\rtf1 old\\par}");
    m_dialogs.files.enqueue({script, 1});
    m_form->SaveAs1->trigger();
    QCOMPARE(questions(), QStringList{});
    QVERIFY(read(script).contains("Changed text"));
}

void TestEditorFiles::emptyDocumentIsNotSaved()
{
    m_form->editmodified = true;
    m_form->Save1->trigger();
    m_form->SaveAs1->trigger();
    QCOMPARE(m_dialogs.messages(),
             (QStringList{QStringLiteral("Nothing to save"), QStringLiteral("Nothing to save")}));
    QCOMPARE(m_dialogs.shown.size(), 2);
    QVERIFY(m_form->editmodified);
    QVERIFY(!m_form->editsaved);
}

void TestEditorFiles::cancelledSaveDialogsChangeNothing()
{
    type(QStringLiteral("text"));
    m_form->setdocumentname(QStringLiteral("/s/talk.txt"));
    m_form->Save1->trigger();
    m_form->SaveAs1->trigger();
    QCOMPARE(m_form->documentname(), QStringLiteral("/s/talk.txt"));
    QVERIFY(m_form->editmodified);
    QCOMPARE(m_dialogs.messages(), QStringList{});
}

void TestEditorFiles::openKeepsColoursImportTurnsTextWhite()
{
    const QString rtf = write(QStringLiteral("colours.rtf"), blackRtf);
    type(QStringLiteral("changed"));
    m_dialogs.answers.enqueue(false);
    m_dialogs.files.enqueue({rtf, 1});
    m_form->Open1->trigger();
    QCOMPARE(questions(), QStringList{q1});
    const FileDialogRequest &open = m_dialogs.shown.constLast().request;
    QCOMPARE(open.title, QStringLiteral("Vantell2 File Open/Import"));
    QCOMPARE(open.filter, QStringLiteral("Vantell Scripts *.vnr|*.vnr"));
    QCOMPARE(open.defaultSuffix, QStringLiteral("vnr"));
    QCOMPARE(colourAt(m_form->re1, 1), QColor(Qt::black));
    QCOMPARE(colourAt(m_form->re1, 8), QColor(Qt::red));
    QVERIFY(!m_form->editmodified);

    m_dialogs.files.enqueue({rtf, 2});
    m_form->Import1->trigger();
    const FileDialogRequest &import = m_dialogs.shown.constLast().request;
    QCOMPARE(import.filter, QStringLiteral("Text Files *.txt|*.txt|Rich Text *.rtf|*.rtf|All Files *.*|*.*"));
    QCOMPARE(import.defaultSuffix, QStringLiteral("txt"));
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("black red"));
    QCOMPARE(colourAt(m_form->re1, 1), QColor(Qt::white));
    QCOMPARE(colourAt(m_form->re1, 8), QColor(Qt::white));
    QCOMPARE(m_form->documentname(), rtf);
    QVERIFY(!m_form->editmodified);
    QVERIFY(!m_form->re1->textCursor().hasSelection());
    QCOMPARE(m_form->re1->textCursor().position(), 0);

    // A cancelled dialog changes nothing.
    m_form->Open1->trigger();
    QCOMPARE(m_form->documentname(), rtf);
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("black red"));
}

void TestEditorFiles::exportLeavesTheStateAlone()
{
    type(QStringLiteral("caf\u00e9"));
    m_form->re1->textCursor().insertBlock();
    type(QStringLiteral("second"));
    m_form->setdocumentname(QStringLiteral("/s/talk.txt"));
    const QString text = m_dir.filePath(QStringLiteral("out.txt"));
    const QString rich = m_dir.filePath(QStringLiteral("out.rtf"));
    m_dialogs.files.enqueue({text, 1});
    m_form->Export1->trigger();
    const FileDialogRequest &request = m_dialogs.shown.constLast().request;
    QCOMPARE(request.filter, QStringLiteral("Text Files *.txt|*.txt|Rich Text *.rtf|*.rtf"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("txt"));
    m_dialogs.files.enqueue({rich, 2});
    m_form->Export1->trigger();
    QCOMPARE(read(text), QByteArray("caf\xc3\xa9\r\nsecond\r\n"));
    QVERIFY(read(rich).startsWith("{\\rtf"));
    QCOMPARE(m_form->documentname(), QStringLiteral("/s/talk.txt"));
    QVERIFY(m_form->editmodified);
    QVERIFY(!m_form->editsaved);
    QCOMPARE(m_dialogs.messages(), QStringList{});

    // The exported rich text still imports as rich text; an empty document exports empty.
    m_dialogs.files.enqueue({rich, 2});
    m_form->editmodified = false;
    m_form->Import1->trigger();
    QCOMPARE(m_form->re1->document()->blockCount(), 2);
    m_form->New1->trigger();
    m_dialogs.files.enqueue({text, 1});
    m_form->Export1->trigger();
    QCOMPARE(read(text), QByteArray());
}

void TestEditorFiles::failedWritesKeepTheOldFileAndTheChanges()
{
    const QString old = write(QStringLiteral("old.vnr"), "{\\rtf1 old and whole}");
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.vnr")));
    type(QString(200000, QLatin1Char('x')));

    // A named document in a folder that does not exist, a folder in place of the file, and
    // the same for Save As and Export.
    m_form->setdocumentname(m_dir.filePath(QStringLiteral("gone/s.vnr")));
    m_form->Save1->trigger();
    m_dialogs.files.enqueue({m_dir.filePath(QStringLiteral("folder.vnr")), 1});
    m_form->SaveAs1->trigger();
    m_dialogs.files.enqueue({m_dir.filePath(QStringLiteral("gone/s.txt")), 1});
    m_form->Export1->trigger();
    QCOMPARE(m_dialogs.messages().size(), 3);
    for (const QString &message : m_dialogs.messages())
        QVERIFY2(message.startsWith(QLatin1String("Cannot write file")), qPrintable(message));
    QCOMPARE(m_form->documentname(), m_dir.filePath(QStringLiteral("gone/s.vnr")));
    QVERIFY(m_form->editmodified);
    QVERIFY(!m_form->editsaved);

    // A write that fails part-way, as on a full disk; inside the close query it keeps the
    // window open.
    m_dialogs.clear();
    m_form->setdocumentname(old);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    m_form->Save1->trigger();
    m_dialogs.answers.enqueue(true);
    m_form->close();
    setrlimit(RLIMIT_FSIZE, &saved);
    QCOMPARE(m_dialogs.messages().size(), 2);
    QVERIFY(m_form->isVisible());
    QVERIFY(m_form->editmodified);
    QCOMPARE(read(old), QByteArray("{\\rtf1 old and whole}"));
    // Nothing half-written is left beside it.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("old.vnr*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("old.vnr")});
}

void TestEditorFiles::failedReadKeepsTheDocument()
{
    type(QStringLiteral("kept"));
    m_form->setdocumentname(QStringLiteral("/s/kept.vnr"));
    for (const QString &path : {m_dir.filePath(QStringLiteral("missing.vnr")), m_dir.path()}) {
        m_dialogs.files.enqueue({path, 1});
        m_form->Open1->trigger();
    }
    QCOMPARE(m_dialogs.messages().size(), 2);
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(m_form->documentname(), QStringLiteral("/s/kept.vnr"));
    QVERIFY(m_form->editmodified);
}

void TestEditorFiles::dialogsStartInTheDocumentsFolderOrTheLastOneUsed()
{
    // No document yet: the dialog is left to choose.
    m_form->Open1->trigger();
    QCOMPARE(m_dialogs.shown.constLast().request.directory, QString());

    QDir(m_dir.path()).mkpath(QStringLiteral("shows"));
    const QString script = write(QStringLiteral("shows/news.vnr"), blackRtf);
    m_dialogs.files.enqueue({script, 1});
    m_form->Open1->trigger();
    // The document's folder, for every dialog that follows.
    m_form->Open1->trigger();
    QCOMPARE(m_dialogs.shown.constLast().request.directory, m_dir.filePath(QStringLiteral("shows")));
    m_form->Export1->trigger();
    QCOMPARE(m_dialogs.shown.constLast().request.directory, m_dir.filePath(QStringLiteral("shows")));

    // A new document has no folder of its own: the one used last.
    m_form->New1->trigger();
    type(QStringLiteral("fresh"));
    m_dialogs.answers.enqueue(false);
    m_form->SaveAs1->trigger();
    QCOMPARE(m_dialogs.shown.constLast().request.directory, m_dir.filePath(QStringLiteral("shows")));
}

void TestEditorFiles::windowKeysRunTheFileAndFindCommands()
{
    const QString script = write(QStringLiteral("keys.vnr"), blackRtf);
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    m_dialogs.files.enqueue({script, 1});
    QTest::keyClick(m_form->re1, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(m_form->documentname(), script);

    type(QStringLiteral(" more"));
    QTest::keyClick(m_form->re1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_dialogs.messages().constLast(), QStringLiteral("Script Saved"));
    QVERIFY(read(script).contains("more"));

    QTest::keyClick(m_form->re1, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(m_form->FindDialog1->isVisible());
    m_form->FindDialog1->hide();
    QTest::keyClick(m_form->re1, Qt::Key_H, Qt::ControlModifier);
    QVERIFY(m_form->ReplaceDialog1->isVisible());
    m_form->ReplaceDialog1->hide();

    QTest::keyClick(m_form->re1, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_form->re1->toPlainText(), QString());
    // The menus keep their captions, without the keys.
    QCOMPARE(m_form->Save1->text(), QStringLiteral("&Save"));
    QCOMPARE(m_form->Find1->text(), QStringLiteral("&Find"));
}

VANTELL_CORE_TEST_MAIN(TestEditorFiles)
#include "test_editorfiles.moc"

#include <csignal>
#include <sys/resource.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include "testsupport/programwindows.h"
#include "ui/editor/tform2.h"
#include "core/engine/promptengine.h"
#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/toolkit/application.h"

// The prompter's Quick Edit Script and Font commands: the hand-over to the editor and back.
class TestQuickEdit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void noScriptGivesAnEmptyUnnamedModifiedDocument();
    void textScriptIsConvertedAndNamedByItsPath();
    void richScriptArrivesWithItsFormattingAndConvertedCharacters();
    void okTakesTheTextAndTheFontBack();
    void fontOnARichScriptOffersTheEditor();
    void fontOnAPlainScriptResetsEvenWhenCancelled();
    void transferFilesGoAlsoWhenAStepFails();

private:
    QString write(const QString &name, const QByteArray &bytes);
    bool open(const QString &path);
    // Runs `command`; once the editor shows modally, `drive` acts on it and it is asked to
    // close. Returns whether the editor was shown.
    bool quickEdit(QAction *command, const std::function<void(TForm2 *)> &drive = {});
    QStringList transferFiles() const;

    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    TForm2 *m_editor = nullptr;
    QTemporaryDir m_dir;
    QTemporaryDir m_tmp;
};

namespace {
const QByteArray richScript =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
    "\\pard\\qc\\cf1\\fs40 Red centred\\par\\pard\\par plain\\par}";
const QString converted = QStringLiteral("Vantell has converted this script to .vnr format.");
const QString onlyInEditor =
    QStringLiteral("Font sizes for Vantell format files can only be changed via the quick "
                   "editor.\r\n\r\nDo you wish to edit this file now?");
} // namespace

void TestQuickEdit::initTestCase()
{
    qputenv("TMPDIR", m_tmp.path().toLocal8Bit());
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    m_editor = windows().Form2;
}

void TestQuickEdit::cleanupTestCase()
{
    delete m_env;
}

void TestQuickEdit::init()
{
    m_env->dialogs.clear();
    QCOMPARE(transferFiles(), QStringList{});
}

QString TestQuickEdit::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

bool TestQuickEdit::open(const QString &path)
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_env->dialogs.files.enqueue({path, 1});
    m_form->OpenSimplescript1->trigger();
    const bool loaded = measured.wait(20000);
    m_env->dialogs.clear();
    return loaded;
}

bool TestQuickEdit::quickEdit(QAction *command, const std::function<void(TForm2 *)> &drive)
{
    // The editor runs its own event loop; a timer of this call answers it from inside, and goes
    // with this call when the editor never shows.
    bool shown = false;
    QTimer answer;
    answer.setSingleShot(true);
    connect(&answer, &QTimer::timeout, m_editor, [this, &shown, &drive] {
        shown = m_editor->isVisible() && m_editor->isModal();
        if (shown && drive)
            drive(m_editor);
        if (m_editor->isVisible())
            m_editor->close();
    });
    answer.start(0);
    command->trigger();
    return shown;
}

QStringList TestQuickEdit::transferFiles() const
{
    return QDir(m_tmp.path()).entryList({QStringLiteral("~*")}, QDir::Files | QDir::Hidden);
}

void TestQuickEdit::noScriptGivesAnEmptyUnnamedModifiedDocument()
{
    const QStringList page = m_form->promptstate.pagelines;
    m_env->dialogs.answers.enqueue(false); // do not save
    QVERIFY(quickEdit(m_form->EditScript2, [this](TForm2 *editor) {
        QCOMPARE(m_env->dialogs.messages(), QStringList{converted});
        QCOMPARE(editor->re1->toPlainText(), QString());
        QCOMPARE(editor->documentname(), QString());
        QVERIFY(editor->editmodified);
    }));
    QCOMPARE(m_editor->result(), int(QDialog::Rejected));
    QVERIFY(!m_form->promptstate.richscript);
    QCOMPARE(m_form->promptstate.pagelines, page);
}

void TestQuickEdit::textScriptIsConvertedAndNamedByItsPath()
{
    const QString talk = write(QStringLiteral("talk.txt"), "Hello\r\nWorld\r\n");
    QVERIFY(open(talk));
    const QStringList page = m_form->promptstate.pagelines;
    m_env->dialogs.answers.enqueue(false);
    QVERIFY(quickEdit(m_form->EditScript2, [this, &talk](TForm2 *editor) {
        QCOMPARE(m_env->dialogs.messages(), QStringList{converted});
        QCOMPARE(editor->re1->toPlainText(), QStringLiteral("Hello\nWorld"));
        QCOMPARE(editor->documentname(), talk);
        QCOMPARE(editor->SaveDialog1.fileName, talk);
        QVERIFY(editor->editmodified);
        QCOMPARE(editor->re1->lineWrapMode(), QTextEdit::WidgetWidth);
    }));
    // Closed with Cancel: the prompter keeps its script.
    QCOMPARE(m_editor->result(), int(QDialog::Rejected));
    QVERIFY(!m_form->promptstate.richscript);
    QCOMPARE(m_form->promptstate.pagelines, page);
    QCOMPARE(m_form->Label4->text(), talk);
}

void TestQuickEdit::richScriptArrivesWithItsFormattingAndConvertedCharacters()
{
    m_form->displayfont.name = QStringLiteral("Liberation Serif");
    m_form->displayfont.size = 30;
    const QString news = write(QStringLiteral("news.vnr"), richScript);
    QVERIFY(open(news));
    // A table entry whose page form is in the script: the editor gets its script form.
    m_form->promptstate.specialtable = {QStringLiteral("Word\tcentred\tCENTRED")};
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    QVERIFY(quickEdit(m_form->EditScript2, [this, &news](TForm2 *editor) {
        QCOMPARE(m_env->dialogs.messages(), QStringList{});
        QCOMPARE(editor->re1->toPlainText(), QStringLiteral("Red CENTRED\n\nplain"));
        // The script's colour and alignment come along, the replaced word's too.
        for (const int position : {1, 6}) {
            QTextCursor red(editor->re1->document());
            red.setPosition(position);
            QCOMPARE(red.charFormat().foreground().color(), QColor(Qt::red));
            QCOMPARE(red.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        }
        QCOMPARE(editor->re1->font().family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(editor->re1->font().pointSize(), 30);
        QCOMPARE(editor->documentname(), news);
        QVERIFY(!editor->editmodified);
    }));
    // Unchanged, it closes with OK and the page is rebuilt from the editor's text, formatted.
    QCOMPARE(m_editor->result(), int(QDialog::Accepted));
    QVERIFY(measured.wait(20000));
    QVERIFY(m_form->promptstate.richscript);
    QCOMPARE(m_form->Label4->text(), news);
    const QString body = m_form->promptstate.scriptlines.join(QLatin1Char('\n'));
    // The page shows the page form again.
    QVERIFY(body.contains(QStringLiteral("Red centred")));
    QVERIFY(body.contains(QStringLiteral("#FF0000")));
    QVERIFY(body.contains(QStringLiteral("text-align: center;")));
    // The paragraph without a colour of its own is the page's white, not the palette's black.
    QVERIFY(body.contains(QStringLiteral("#FFFFFF")));
    QVERIFY(!body.contains(QStringLiteral("#000000")));
}

void TestQuickEdit::okTakesTheTextAndTheFontBack()
{
    const QString talk = write(QStringLiteral("speech.txt"), "Hello\r\n");
    QVERIFY(open(talk));
    const QString vnr = m_dir.filePath(QStringLiteral("speech.vnr"));
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    QVERIFY(quickEdit(m_form->EditScript2, [this, &vnr](TForm2 *editor) {
        FontSpec font;
        font.name = QStringLiteral("Liberation Mono");
        font.size = 40;
        m_env->dialogs.fonts.enqueue(font);
        editor->Font1->trigger();
        editor->re1->moveCursor(QTextCursor::End);
        editor->re1->insertPlainText(QStringLiteral(" again"));
        m_env->dialogs.answers.enqueue(true); // save it first
        m_env->dialogs.files.enqueue({vnr, 1});
    }));
    QCOMPARE(m_editor->result(), int(QDialog::Accepted));
    QVERIFY(measured.wait(20000));
    QVERIFY(QFile::exists(vnr));
    QCOMPARE(m_form->displayfont.name, QStringLiteral("Liberation Mono"));
    QCOMPARE(m_form->displayfont.size, 40);
    QVERIFY(m_form->promptstate.richscript);
    QCOMPARE(m_form->Label4->text(), vnr);
    QCOMPARE(m_form->promptstate.scriptpath, talk);
    QVERIFY(m_form->promptstate.scriptlines.join(QLatin1Char('\n')).contains(QStringLiteral("Hello again")));
    QCOMPARE(m_form->myrichedit->toPlainText(), QStringLiteral("Hello again"));

    // Now a rich script: Font offers the editor instead of the font dialog.
    m_env->dialogs.clear();
    QVERIFY(!quickEdit(m_form->Font2));
    QCOMPARE(m_env->dialogs.shown.size(), 1);
    QCOMPARE(m_env->dialogs.shown.constFirst().text, onlyInEditor);
}

void TestQuickEdit::fontOnARichScriptOffersTheEditor()
{
    QVERIFY(open(write(QStringLiteral("offer.vnr"), richScript)));
    m_env->dialogs.answers.enqueue(true);
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    QVERIFY(quickEdit(m_form->Font2));
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_env->dialogs.shown.constFirst().text, onlyInEditor);
    for (const ScriptedDialogs::Shown &shown : m_env->dialogs.shown)
        QVERIFY(shown.kind != ScriptedDialogs::Shown::Font);
}

void TestQuickEdit::fontOnAPlainScriptResetsEvenWhenCancelled()
{
    QVERIFY(open(write(QStringLiteral("plain.txt"), "plain\r\n")));
    const QStringList page = m_form->promptstate.pagelines;
    m_form->engine->setSpeed(20);
    m_form->resume();
    m_form->Font2->trigger();
    QCOMPARE(m_env->dialogs.shown.constFirst().kind, ScriptedDialogs::Shown::Font);
    QVERIFY(!m_form->Timer1->isEnabled());
    QCOMPARE(m_form->Label1->text(), QStringLiteral("Paused..."));
    QCOMPARE(m_form->promptstate.pagelines, page);

    FontSpec font;
    font.name = QStringLiteral("Liberation Serif");
    font.size = 48;
    m_env->dialogs.fonts.enqueue(font);
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->Font2->trigger();
    QVERIFY(measured.wait(20000));
    QCOMPARE(m_form->displayfont.size, 48);
    QVERIFY(m_form->promptstate.pagelines.contains(QStringLiteral("font-family: Liberation Serif;")));
}

void TestQuickEdit::transferFilesGoAlsoWhenAStepFails()
{
    // A script too large for the file-size limit: writing the transfer file fails part-way.
    QByteArray large = "{\\rtf1 ";
    large += QByteArray(20000, 'x') + "\\par}";
    QVERIFY(open(write(QStringLiteral("large.vnr"), large)));
    const QStringList script = m_form->promptstate.scriptlines;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool shown = quickEdit(m_form->EditScript2);
    setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(!shown);
    QCOMPARE(m_env->dialogs.messages().size(), 1);
    QVERIFY(m_env->dialogs.messages().constFirst().startsWith(QLatin1String("Cannot write file")));
    QCOMPARE(m_form->promptstate.scriptlines, script);
    QCOMPARE(transferFiles(), QStringList{});
}

VANTELL_UI_TEST_MAIN(TestQuickEdit)
#include "test_quickedit.moc"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include "core/editlive/readinganchor.h"
#include "core/editor/recoverystore.h"
#include "core/engine/promptengine.h"
#include "core/platform/translation.h"
#include "core/rtf/rtf.h"
#include "stringtable.h"
#include "testsupport/eventwait.h"
#include "testsupport/features.h"
#include "testsupport/programwindows.h"
#include "testsupport/testmain.h"
#include "testsupport/uitestenvironment.h"
#include "ui/browser/browser.h"
#include "ui/browser/pagescripts.h"
#include "ui/editlive/editlive.h"
#include "ui/editlive/editlivewindow.h"
#include "ui/editlive/lockedtextedit.h"
#include "ui/editor/recoveryautosave.h"
#include "ui/editor/tform2.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterremote.h"
#include "ui/options/tform4.h"
#include "ui/prompter/tform1.h"
#include "ui/readingaids/markerjumps.h"
#include "ui/rundown/rundown.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/toolkit/application.h"

// Edit Live on the real prompter: each change reaches the page in place, exactly as a page built
// anew from the edited script would be, on the prompter's page and the talent's; the reader's line
// stays where it is; what was read can be locked; and the script is saved as the quick editor
// saves it.
class TestEditLive : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void plainEditsReachThePageInPlace();
    void richEditsKeepTheLookOfTheLinesAfterThem();
    void markupThatChangesTheLinesAfterIsPutInFromThere();
    void theReadersLineStaysWhereItIs();
    void theTalentDisplayTakesTheSameEdit();
    void whatWasReadIsLocked();
    void savingAndClosingAsTheQuickEditorDoes();
    void theQuickEditorWaitsForEditLive();
    void markupOpensInTheQuickEditorAsTheTextItShows();
    void aContinuousPageIsEditedStoryByStory();

private:
    QString write(const QString &name, const QByteArray &bytes);
    bool load(const QString &path);
    EditLive &live() const { return feature<EditLive>(m_form); }
    LockedTextEdit *text() const { return live().window()->text; }
    void openLive();
    // Runs `edit` and waits until the prompter's page has taken what it changed.
    bool edited(const std::function<void()> &edit);
    void typeAt(int paragraph, const QString &words);
    QVariant evaluate(Browser *page, const QString &script);
    // The body of a page as the browser built it, the invisible block breaks left out.
    QString body(Browser *page);
    // The body a page built anew from the prompter's lines has.
    QString builtBody();

    UiTestEnvironment *m_env = nullptr;
    TForm1 *m_form = nullptr;
    Browser *m_fresh = nullptr;
    QTemporaryDir m_dir;
};

namespace {

QByteArray numberedScript(int lines)
{
    QByteArray text;
    for (int i = 0; i < lines; ++i)
        text += "Line " + QByteArray::number(i) + " of the script read tonight.\n";
    return text;
}

const QByteArray richScript =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
    "\\pard\\qc\\cf1\\fs40 Red centred\\par\\pard\\cf0 plain and {\\b bold} words\\par "
    "second plain line\\line broken in two\\par third line\\par\\pard\\qr right\\par}";

} // namespace

void TestEditLive::initTestCase()
{
    m_env = new UiTestEnvironment;
    m_form = m_env->start();
    QVERIFY(m_form);
    m_fresh = new Browser;
    m_fresh->resize(m_form->wb1->size());
    m_fresh->show();
}

void TestEditLive::cleanupTestCase()
{
    delete m_fresh;
    delete m_env;
}

void TestEditLive::init()
{
    m_form->engine->setSpeed(0);
    m_form->dopause();
    if (live().window()) {
        live().window()->lockRead->setChecked(false);
        m_env->dialogs.answers.enqueue(false);
        live().window()->close();
    }
    m_env->dialogs.answers.clear();
    m_env->dialogs.clear();
}

QString TestEditLive::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(bytes);
    return file.fileName();
}

bool TestEditLive::load(const QString &path)
{
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->openscript(path);
    return measured.wait(20000);
}

void TestEditLive::openLive()
{
    m_form->commands().perform(RemoteAction::EditLive, CommandSource::Menu);
}

bool TestEditLive::edited(const std::function<void()> &edit)
{
    QSignalSpy spliced(&live(), &EditLive::spliced);
    edit();
    return runEventsUntil([&] { return !spliced.isEmpty(); }, 10000);
}

void TestEditLive::typeAt(int paragraph, const QString &words)
{
    QTextCursor cursor(text()->document()->findBlockByNumber(paragraph));
    text()->setTextCursor(cursor);
    QTest::keyClicks(text(), words);
}

QVariant TestEditLive::evaluate(Browser *page, const QString &script)
{
    QVariant result;
    bool answered = false;
    page->evaluate(script, [&](const QVariant &value) {
        result = value;
        answered = true;
    });
    runEventsUntil([&] { return answered; }, 10000);
    return result;
}

QString TestEditLive::body(Browser *page)
{
    return evaluate(page, QStringLiteral(R"JS((function () {
        const body = document.body.cloneNode(true);
        for (const split of body.querySelectorAll('span[style="display:block"]')) split.remove();
        body.normalize();
        return body.innerHTML.replace(/\n+/g, '\n');
    })())JS"))
        .toString();
}

QString TestEditLive::builtBody()
{
    QSignalSpy loaded(m_fresh, &Browser::documentComplete);
    m_fresh->loadPageLines(m_form->promptstate.pagelines);
    if (!loaded.wait(20000))
        return {};
    return body(m_fresh);
}

void TestEditLive::plainEditsReachThePageInPlace()
{
    QVERIFY(load(write(QStringLiteral("plain.txt"), numberedScript(150))));
    openLive();
    QVERIFY(live().window()->isVisible());
    QVERIFY(!live().window()->isModal());
    QCOMPARE(text()->document()->blockCount(), 150);
    QSignalSpy newDocuments(m_form->wb1, &Browser::documentComplete);

    QVERIFY(edited([this] { typeAt(40, QStringLiteral("Breaking: ")); }));
    QVERIFY(m_form->promptstate.scriptlines.at(40).startsWith(QLatin1String("Breaking: Line 40")));
    QCOMPARE(body(m_form->wb1), builtBody());
    // A paragraph split in two by Enter goes at once; one taken away too.
    QVERIFY(edited([this] {
        typeAt(70, QStringLiteral("Seventy"));
        QTest::keyClick(text(), Qt::Key_Return);
    }));
    QCOMPARE(m_form->promptstate.scriptlines.at(70), QStringLiteral("Seventy"));
    QCOMPARE(body(m_form->wb1), builtBody());
    QVERIFY(edited([this] {
        QTextCursor cursor(text()->document()->findBlockByNumber(10));
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 3);
        text()->setTextCursor(cursor);
        QTest::keyClick(text(), Qt::Key_Delete);
    }));
    QCOMPARE(m_form->promptstate.scriptlines.at(10), QStringLiteral("Line 13 of the script read tonight."));
    // The first and the last line too.
    QVERIFY(edited([this] { typeAt(0, QStringLiteral("Hello. ")); }));
    QVERIFY(edited([this] {
        QTextCursor end(text()->document());
        end.movePosition(QTextCursor::End);
        text()->setTextCursor(end);
        QTest::keyClicks(text(), QStringLiteral(" The end."));
    }));
    QCOMPARE(body(m_form->wb1), builtBody());
    QCOMPARE(newDocuments.count(), 0);
    QCOMPARE(live().lastSplice().still, 0.0);

    // A marker line typed in is a marker to jump to once the page has it.
    QVERIFY(edited([this] {
        typeAt(90, QStringLiteral("## Weather"));
        QTest::keyClick(text(), Qt::Key_Return);
    }));
    WAIT_VERIFY(feature<MarkerJumps>(m_form).names().contains(QStringLiteral("Weather")));
}

void TestEditLive::richEditsKeepTheLookOfTheLinesAfterThem()
{
    QVERIFY(load(write(QStringLiteral("rich.vnr"), richScript)));
    QVERIFY(m_form->promptstate.richscript);
    openLive();
    QCOMPARE(text()->document()->blockCount(), 5);
    QVERIFY(edited([this] { typeAt(1, QStringLiteral("Some ")); }));
    QCOMPARE(body(m_form->wb1), builtBody());
    // A run made bold to the end of its paragraph changes the run the next line starts in.
    QVERIFY(edited([this] {
        QTextCursor cursor(text()->document()->findBlockByNumber(1));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(bold);
    }));
    QCOMPARE(body(m_form->wb1), builtBody());
    // A new paragraph in the centred one makes a centred one.
    QVERIFY(edited([this] {
        QTextCursor cursor(text()->document()->findBlockByNumber(0));
        cursor.movePosition(QTextCursor::EndOfBlock);
        text()->setTextCursor(cursor);
        QTest::keyClick(text(), Qt::Key_Return);
    }));
    QVERIFY(edited([this] { QTest::keyClicks(text(), QStringLiteral("More red")); }));
    QVERIFY(m_form->promptstate.scriptlines.join(QString()).contains(QLatin1String("More red")));
    QCOMPARE(body(m_form->wb1), builtBody());
    // A paragraph centred in the middle of others opens a paragraph of its own on the page, and
    // joined to the one before it, closes it again.
    QVERIFY(edited([this] {
        QTextCursor cursor(text()->document()->findBlockByNumber(4));
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.mergeBlockFormat(centred);
    }));
    QCOMPARE(body(m_form->wb1), builtBody());
    QVERIFY(edited([this] {
        typeAt(4, QString());
        QTest::keyClick(text(), Qt::Key_Backspace);
    }));
    QCOMPARE(text()->document()->blockCount(), 5);
    QCOMPARE(body(m_form->wb1), builtBody());
}

void TestEditLive::markupThatChangesTheLinesAfterIsPutInFromThere()
{
    QVERIFY(load(write(QStringLiteral("tags.txt"), numberedScript(100))));
    openLive();
    // A bold opened and never closed makes every line after it bold, as a page built anew shows.
    QVERIFY(edited([this] { typeAt(30, QStringLiteral("<b>")); }));
    QCOMPARE(body(m_form->wb1), builtBody());
    QVERIFY(evaluate(m_form->wb1, QStringLiteral("document.querySelectorAll('b').length")).toInt() > 0);
    // Closed again, the lines after it are plain again.
    QVERIFY(edited([this] {
        QTextCursor cursor(text()->document()->findBlockByNumber(31));
        cursor.movePosition(QTextCursor::EndOfBlock);
        text()->setTextCursor(cursor);
        QTest::keyClicks(text(), QStringLiteral("</b>"));
    }));
    QCOMPARE(body(m_form->wb1), builtBody());
}

void TestEditLive::theReadersLineStaysWhereItIs()
{
    QVERIFY(load(write(QStringLiteral("long.txt"), numberedScript(300))));
    openLive();
    QVERIFY(settle([this](std::function<void()> done) { m_form->wb1->scrollTo(0, 4000, done); }));
    const int before = m_form->wb1->scrollPosition();
    QCOMPARE(before, 4000);
    const double readingY = readingliney(m_form->wb1->height(), 1.0 / 3, false);
    const QVariantList reading =
        evaluate(m_form->wb1, pagescript(QStringLiteral("readingline")) +
                                  QStringLiteral("window.__vantellLineAt(%1)").arg(readingY))
            .toList();
    const int line = reading.value(0).toInt();
    QVERIFY(line > 30);
    const QString markTop =
        QStringLiteral("document.querySelectorAll('span[data-l]')[%1].getBoundingClientRect().top");
    const double top = evaluate(m_form->wb1, markTop.arg(line)).toDouble();

    // A paragraph above the reader made three lines longer: the reader's line stays.
    const double lineHeight = evaluate(m_form->wb1, markTop.arg(line + 1)).toDouble() -
                              evaluate(m_form->wb1, markTop.arg(line)).toDouble();
    QVERIFY(edited([this, line] {
        typeAt(line - 20,
               QStringLiteral("A sentence long enough to take the width of the page over and over, "
                              "added while the talent reads further down. ")
                   .repeated(3));
    }));
    QCOMPARE(live().lastSplice().anchor, line);
    QVERIFY2(live().lastSplice().shift >= 3 * lineHeight,
             qPrintable(QString::number(live().lastSplice().shift)));
    QCOMPARE(live().lastSplice().still, 0.0);
    QCOMPARE(evaluate(m_form->wb1, markTop.arg(line)).toDouble(), top);
    WAIT_VERIFY(m_form->wb1->scrollPosition() == before + int(live().lastSplice().shift));

    // A paragraph below the reader grows downward: nothing the reader sees moves.
    QVERIFY(edited([this, line] {
        typeAt(line + 4, QStringLiteral("Much longer now, and longer still. ").repeated(6));
    }));
    QCOMPARE(live().lastSplice().shift, 0.0);
    QCOMPARE(evaluate(m_form->wb1, markTop.arg(line)).toDouble(), top);
    QCOMPARE(body(m_form->wb1), builtBody());
}

void TestEditLive::theTalentDisplayTakesTheSameEdit()
{
    QVERIFY(load(write(QStringLiteral("talent.txt"), numberedScript(120))));
    m_form->openoutputwindow();
    OutputWindow *output = m_form->outputwindow();
    QVERIFY(output);
    WAIT_VERIFY(output->outputpage->isDocumentComplete() && output->outputpage->scrollBottom() > 0);
    openLive();
    QSignalSpy outputDocuments(output->outputpage, &Browser::documentComplete);
    QVERIFY(edited([this] { typeAt(50, QStringLiteral("For the talent: ")); }));
    const QString built = builtBody();
    WAIT_COMPARE(body(output->outputpage), built);
    QCOMPARE(outputDocuments.count(), 0);
    QCOMPARE(output->pagelines().mid(1), m_form->promptstate.pagelines.mid(1));
    m_form->closeoutputwindow();
}

void TestEditLive::whatWasReadIsLocked()
{
    QVERIFY(load(write(QStringLiteral("locked.txt"), numberedScript(200))));
    openLive();
    QVERIFY(settle([this](std::function<void()> done) { m_form->wb1->scrollTo(0, 3000, done); }));
    live().window()->lockRead->setChecked(true);
    WAIT_VERIFY(text()->lockedParagraphs() > 20);
    const int locked = text()->lockedParagraphs();
    const QString before = text()->toPlainText();
    QSignalSpy refused(text(), &LockedTextEdit::refused);

    // Typing, deleting back into it, and pasting over it change nothing read.
    typeAt(3, QStringLiteral("x"));
    typeAt(locked, QString());
    QTest::keyClick(text(), Qt::Key_Backspace);
    QTextCursor across(text()->document()->findBlockByNumber(locked - 1));
    across.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2);
    text()->setTextCursor(across);
    QTest::keyClick(text(), Qt::Key_Delete);
    QCOMPARE(text()->toPlainText(), before);
    QCOMPARE(refused.count(), 3);

    // What is open takes changes, and an undo that would reach back into what was read is taken back.
    QVERIFY(edited([this, locked] { typeAt(locked + 2, QStringLiteral("Open ")); }));
    QVERIFY(m_form->promptstate.scriptlines.at(locked + 2).startsWith(QLatin1String("Open ")));
    text()->setLockedParagraphs(0);
    live().window()->lockRead->setChecked(false);
    QVERIFY(edited([this] { typeAt(2, QStringLiteral("Early ")); }));
    live().window()->lockRead->setChecked(true);
    WAIT_VERIFY(text()->lockedParagraphs() == locked);
    const QString withEarly = text()->toPlainText();
    text()->guardedUndo();
    QCOMPARE(text()->toPlainText(), withEarly);

    // The control API is refused alike, and changes nothing.
    PrompterRemote &remote = m_form->remoteTarget();
    const ScriptParagraphs paragraphs = remote.paragraphs();
    QCOMPARE(paragraphs.texts.size(), 200);
    QCOMPARE(paragraphs.locked, locked);
    QCOMPARE(remote.editParagraph(1, QStringLiteral("Rewritten")), ParagraphEdit::Locked);
    QCOMPARE(remote.editParagraph(200, QStringLiteral("Beyond")), ParagraphEdit::NoSuchParagraph);
    QCOMPARE(remote.editParagraph(-1, QStringLiteral("Before")), ParagraphEdit::NoSuchParagraph);
    QCOMPARE(text()->toPlainText(), withEarly);
    QSignalSpy told(&remote, &PrompterRemote::paragraphsChanged);
    QVERIFY(edited([&remote, locked] {
        QCOMPARE(remote.editParagraph(locked + 5, QStringLiteral("From the director")), ParagraphEdit::Done);
    }));
    QCOMPARE(m_form->promptstate.scriptlines.at(locked + 5), QStringLiteral("From the director"));
    QCOMPARE(told.count(), 1);
    QCOMPARE(told.first().at(0).value<QList<int>>(), QList<int>{locked + 5});
}

void TestEditLive::savingAndClosingAsTheQuickEditorDoes()
{
    const QString path = write(QStringLiteral("saved.txt"), numberedScript(20));
    QVERIFY(load(path));
    openLive();
    feature<RecoveryAutosave>(&live()).setDelay(10);
    QVERIFY(edited([this] { typeAt(5, QStringLiteral("Saved ")); }));
    // Unsaved, the text is kept for recovery.
    WAIT_VERIFY(EditLive::recoveryStore().exists());

    // A text file is never written over: the first save asks for a .vnr name.
    const QString vnr = m_dir.filePath(QStringLiteral("saved.vnr"));
    m_env->dialogs.files.enqueue({vnr, 1});
    live().window()->save->trigger();
    QCOMPARE(m_env->dialogs.shown.first().kind, ScriptedDialogs::Shown::SaveFile);
    QCOMPARE(m_env->dialogs.shown.first().request.fileName, QStringLiteral("saved.vnr"));
    QFile file(vnr);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTextDocument document;
    QVERIFY(readRtf(file.readAll(), &document));
    QVERIFY(document.toPlainText().contains(QLatin1String("Saved Line 5")));
    QCOMPARE(m_form->Label4->text(), vnr);
    QCOMPARE(live().window()->documentName(), vnr);
    QVERIFY(!EditLive::recoveryStore().exists());
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(original.readAll(), numberedScript(20));

    // Closing with unsaved changes asks; No closes, the page keeping them.
    QVERIFY(edited([this] { typeAt(6, QStringLiteral("Unsaved ")); }));
    m_env->dialogs.clear();
    m_env->dialogs.answers.enqueue(false);
    live().window()->close();
    QCOMPARE(m_env->dialogs.shown.size(), 1);
    QCOMPARE(m_env->dialogs.shown.first().text, i18n(str::SaveScriptFirst));
    QVERIFY(!live().isOpen());
    QVERIFY(m_form->promptstate.scriptlines.at(6).startsWith(QLatin1String("Unsaved ")));
}

void TestEditLive::theQuickEditorWaitsForEditLive()
{
    QVERIFY(load(write(QStringLiteral("handover.vnr"), richScript)));
    openLive();
    QVERIFY(edited([this] { typeAt(2, QStringLiteral("Edited ")); }));
    m_form->EditScript2Click();
    QVERIFY(live().isOpen());
    QCOMPARE(m_form->Label4->text(), i18n(str::EditLiveCloseFirst));
    m_env->dialogs.answers.enqueue(false);
    live().window()->close();
    // Closed, the rich script hands its edits to the quick editor.
    QVERIFY(live().handOver());
    QVERIFY(m_form->myrichedit->toPlainText().contains(QLatin1String("Edited second plain line")));
}

void TestEditLive::markupOpensInTheQuickEditorAsTheTextItShows()
{
    // A script held as markup (a newsroom's story, a standby's after a takeover).
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    m_form->setScriptText(ScriptText::Markup);
    m_form->showscript(
        {QStringLiteral("<b>Good</b> evening &amp; welcome<br>"), QStringLiteral("Second line<br>")},
        QString());
    QVERIFY(measured.wait(20000));
    QString opened;
    bool bold = false;
    QTimer::singleShot(0, m_form, [&opened, &bold] {
        TForm2 *editor = windows().Form2;
        opened = editor->re1->toPlainText();
        QTextCursor cursor(editor->re1->document());
        cursor.movePosition(QTextCursor::NextCharacter);
        bold = cursor.charFormat().fontWeight() == QFont::Bold;
        editor->reject();
    });
    m_form->EditScript2Click();
    QVERIFY2(opened.contains(QLatin1String("Good evening & welcome")), qPrintable(opened));
    QVERIFY(opened.contains(QLatin1String("Second line")));
    QVERIFY(!opened.contains(QLatin1String("<b>")));
    QVERIFY(bold);
}

VANTELL_UI_TEST_MAIN(TestEditLive)
void TestEditLive::aContinuousPageIsEditedStoryByStory()
{
    const QStringList entries{write(QStringLiteral("first.txt"), numberedScript(60)),
                              write(QStringLiteral("second.txt"), numberedScript(20)),
                              write(QStringLiteral("third.vnr"), richScript)};
    windows().Form4->ListBox1->clear();
    windows().Form4->ListBox1->addItems(entries);
    Rundown &rundown = feature<Rundown>(m_form);
    QSignalSpy measured(m_form, &TForm1::pageMeasured);
    rundown.setContinuous(true);
    QVERIFY(measured.wait(20000));
    WAIT_VERIFY(rundown.storyOnAir() == 0);
    const QString pageName = m_form->promptstate.scriptpath;

    // The story on air is edited, and only it changes on the page, in place.
    openLive();
    QCOMPARE(live().window()->documentName(), entries.at(0));
    QCOMPARE(text()->document()->blockCount(), 60);
    const StorySpan third = rundown.stories().at(2);
    const QStringList thirdLines = m_form->promptstate.scriptlines.mid(third.firstLine, third.lineCount);
    QSignalSpy newDocuments(m_form->wb1, &Browser::documentComplete);
    QVERIFY(edited([this] { typeAt(5, QStringLiteral("Breaking: ")); }));
    const int firstText = rundown.stories().at(0).firstLine + 1;
    QVERIFY(m_form->promptstate.scriptlines.at(firstText + 5).contains(QLatin1String("Breaking: Line 5")));
    QCOMPARE(m_form->promptstate.scriptlines.mid(rundown.stories().at(2).firstLine, third.lineCount),
             thirdLines);
    QCOMPARE(newDocuments.count(), 0);
    QCOMPARE(m_form->promptstate.scriptpath, pageName);
    QCOMPARE(body(m_form->wb1), builtBody());

    // The reader in the last story has read all of the first: locked whole, to remote edits too.
    QVERIFY(settle([this](std::function<void()> done) { m_form->wb1->scrollTo(0, 1 << 20, done); }));
    WAIT_VERIFY(rundown.storyOnAir() == 2);
    live().window()->lockRead->setChecked(true);
    WAIT_VERIFY(text()->lockedParagraphs() == 60);
    QCOMPARE(m_form->remoteTarget().editParagraph(59, QStringLiteral("Late")), ParagraphEdit::Locked);
    live().window()->lockRead->setChecked(false);

    // A story above the reader made longer: the reader's line stays where it is.
    const double readingY = readingliney(m_form->wb1->height(), 1.0 / 3, false);
    const int line = evaluate(m_form->wb1, pagescript(QStringLiteral("readingline")) +
                                               QStringLiteral("window.__vantellLineAt(%1)").arg(readingY))
                         .toList()
                         .value(0)
                         .toInt();
    QVERIFY(line > rundown.stories().at(2).firstLine);
    const QString markTop =
        QStringLiteral("document.querySelectorAll('span[data-l]')[%1].getBoundingClientRect().top");
    const double top = evaluate(m_form->wb1, markTop.arg(line)).toDouble();
    QVERIFY(edited([this] {
        typeAt(50, QStringLiteral("A sentence long enough to take the width of the page over and over. ")
                       .repeated(3));
    }));
    QCOMPARE(evaluate(m_form->wb1, markTop.arg(line)).toDouble(), top);
    QCOMPARE(body(m_form->wb1), builtBody());

    // Closed, Edit Live takes the story on air next: a rich story is saved to its own file, and the
    // page keeps the show's name.
    m_env->dialogs.answers.enqueue(false);
    live().window()->close();
    openLive();
    QCOMPARE(live().window()->documentName(), entries.at(2));
    QVERIFY(edited([this] { typeAt(0, QStringLiteral("Saved ")); }));
    const StorySpan rich = rundown.stories().at(2);
    const QString richText =
        m_form->promptstate.scriptlines.mid(rich.firstLine, rich.lineCount).join(QLatin1Char('\n'));
    QVERIFY2(richText.contains(QLatin1String("Saved Red")), qPrintable(richText));
    m_env->dialogs.clear();
    live().window()->save->trigger();
    QVERIFY(m_env->dialogs.shown.isEmpty() ||
            m_env->dialogs.shown.first().kind != ScriptedDialogs::Shown::SaveFile);
    QFile file(entries.at(2));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTextDocument document;
    QVERIFY(readRtf(file.readAll(), &document));
    QVERIFY(document.toPlainText().startsWith(QLatin1String("Saved Red centred")));
    QCOMPARE(m_form->promptstate.scriptpath, pageName);
    QCOMPARE(newDocuments.count(), 0);

    live().window()->close();
    rundown.setContinuous(false);
    windows().Form4->ListBox1->clear();
}

#include "test_editlive.moc"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include "ui/editor/findreplacedialog.h"
#include "ui/editor/tform2.h"
#include "testsupport/scripteddialogs.h"
#include "testsupport/testmain.h"

// Find and replace in the quick editor, through its two modeless dialogs.
class TestEditorSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void buttonsAreOfferedOnlyWithAFindText();
    void findNextSelectsThenRestartsAfterNotFound();
    void bothDialogsContinueOneLatchedWalk();
    void aMatchSplitByWrappingIsFoundOnceItFits();
    void replaceTakesTheSelectionWhateverItHolds();
    void replaceAllIgnoresMatchCaseInOneUndoStep();

private:
    void findNext(FindReplaceDialog *dialog, const QString &text);
    QString selected() const;

    ScriptedDialogs m_dialogs;
    TForm2 *m_form = nullptr;
};

void TestEditorSearch::init()
{
    m_dialogs.clear();
    m_form = new TForm2;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestEditorSearch::cleanup()
{
    delete m_form;
}

void TestEditorSearch::findNext(FindReplaceDialog *dialog, const QString &text)
{
    dialog->FindText->setText(text);
    dialog->FindNext->click();
}

QString TestEditorSearch::selected() const
{
    return m_form->re1->textCursor().selectedText();
}

void TestEditorSearch::buttonsAreOfferedOnlyWithAFindText()
{
    m_form->Find1->trigger();
    m_form->Replace1->trigger();
    QVERIFY(m_form->FindDialog1->isVisible());
    QVERIFY(m_form->ReplaceDialog1->isVisible());
    QVERIFY(!m_form->FindDialog1->isModal());
    QVERIFY(m_form->ReplaceDialog1->Down->isChecked());
    const QList<QPushButton *> acting{m_form->FindDialog1->FindNext, m_form->ReplaceDialog1->FindNext,
                                      m_form->ReplaceDialog1->ReplaceButton,
                                      m_form->ReplaceDialog1->ReplaceAllButton};
    for (QPushButton *button : acting)
        QVERIFY(!button->isEnabled());
    m_form->FindDialog1->FindText->setText(QStringLiteral("x"));
    m_form->ReplaceDialog1->FindText->setText(QStringLiteral("x"));
    for (QPushButton *button : acting)
        QVERIFY(button->isEnabled());
    m_form->FindDialog1->CancelButton->click();
    QVERIFY(!m_form->FindDialog1->isVisible());
}

void TestEditorSearch::findNextSelectsThenRestartsAfterNotFound()
{
    m_form->re1->setPlainText(QStringLiteral("one\ntwo cat\nthree"));
    // Up is shown but every search runs toward the end.
    m_form->ReplaceDialog1->Up->setChecked(true);
    findNext(m_form->ReplaceDialog1, QStringLiteral("cat"));
    QCOMPARE(selected(), QStringLiteral("cat"));
    QCOMPARE(m_form->re1->textCursor().selectionStart(), 8);
    findNext(m_form->ReplaceDialog1, QStringLiteral("cat"));
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("Not found.")});
    m_form->re1->moveCursor(QTextCursor::Start);
    findNext(m_form->ReplaceDialog1, QStringLiteral("cat"));
    QCOMPARE(m_form->re1->textCursor().selectionStart(), 8);

    // An empty text finds nothing and says nothing.
    m_form->re1->clear();
    findNext(m_form->FindDialog1, QStringLiteral("cat"));
    QCOMPARE(m_dialogs.messages().size(), 1);
}

void TestEditorSearch::bothDialogsContinueOneLatchedWalk()
{
    m_form->re1->setPlainText(QStringLiteral("cat dog cat"));
    findNext(m_form->FindDialog1, QStringLiteral("cat"));
    findNext(m_form->ReplaceDialog1, QStringLiteral("dog"));
    QCOMPARE(selected(), QStringLiteral("cat"));
    QCOMPARE(m_form->re1->textCursor().selectionStart(), 8);
    findNext(m_form->FindDialog1, QStringLiteral("dog"));
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("Not found.")});
    findNext(m_form->FindDialog1, QStringLiteral("dog"));
    QCOMPARE(selected(), QStringLiteral("dog"));
}

void TestEditorSearch::aMatchSplitByWrappingIsFoundOnceItFits()
{
    QStringList words;
    for (int i = 0; i < 300; ++i)
        words << QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0'));
    m_form->re1->setPlainText(words.join(QLatin1Char(' ')));
    QCoreApplication::processEvents();
    const QTextBlock block = m_form->re1->document()->firstBlock();
    m_form->re1->document()->documentLayout()->blockBoundingRect(block);
    const QTextLine first = block.layout()->lineAt(0);
    const int lastWordOfFirstLine =
        static_cast<int>(words.indexOf(block.text().mid(first.textLength() - 5, 4)));
    QVERIFY(lastWordOfFirstLine > 0);
    const QString phrase =
        words.at(lastWordOfFirstLine) + QLatin1Char(' ') + words.at(lastWordOfFirstLine + 1);

    findNext(m_form->FindDialog1, phrase);
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("Not found.")});
    m_form->resize(m_form->width() * 2, m_form->height());
    QCoreApplication::processEvents();
    findNext(m_form->FindDialog1, phrase);
    QCOMPARE(selected(), phrase);
}

void TestEditorSearch::replaceTakesTheSelectionWhateverItHolds()
{
    m_form->re1->setPlainText(QStringLiteral("abc cat cat"));
    m_form->Replace1->trigger();
    m_form->ReplaceDialog1->ReplaceText->setText(QStringLiteral("dog"));
    m_form->ReplaceDialog1->FindText->setText(QStringLiteral("xyz"));
    m_form->ReplaceDialog1->ReplaceButton->click();
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("Nothing selected to replace.")});

    QTextCursor abc(m_form->re1->document());
    abc.setPosition(3, QTextCursor::KeepAnchor);
    m_form->re1->setTextCursor(abc);
    m_form->ReplaceDialog1->ReplaceButton->click();
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("dog cat cat"));

    // Find Next, Replace, Find Next ...: each replacement restarts the walk at the top.
    findNext(m_form->ReplaceDialog1, QStringLiteral("cat"));
    findNext(m_form->ReplaceDialog1, QStringLiteral("cat"));
    QCOMPARE(m_form->re1->textCursor().selectionStart(), 8);
    m_form->ReplaceDialog1->ReplaceButton->click();
    findNext(m_form->ReplaceDialog1, QStringLiteral("cat"));
    QCOMPARE(m_form->re1->textCursor().selectionStart(), 4);
    QVERIFY(m_form->editmodified);
}

void TestEditorSearch::replaceAllIgnoresMatchCaseInOneUndoStep()
{
    m_form->re1->setPlainText(QStringLiteral("CAT cat\nCat"));
    m_form->editmodified = false;
    findNext(m_form->ReplaceDialog1, QStringLiteral("cat"));
    m_form->ReplaceDialog1->MatchCase->setChecked(true);
    m_form->ReplaceDialog1->ReplaceText->setText(QStringLiteral("dog"));
    m_form->ReplaceDialog1->ReplaceAllButton->click();
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("dog dog\ndog"));
    QVERIFY(m_form->editmodified);
    QVERIFY(m_form->finder.searchtext.isEmpty());
    QCOMPARE(m_dialogs.messages(), QStringList{});

    // Nothing found: no change, no message.
    m_form->editmodified = false;
    m_form->ReplaceDialog1->FindText->setText(QStringLiteral("bird"));
    m_form->ReplaceDialog1->ReplaceAllButton->click();
    QVERIFY(!m_form->editmodified);
    QCOMPARE(m_dialogs.messages(), QStringList{});

    m_form->Undo1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("CAT cat\nCat"));
}

VANTELL_CORE_TEST_MAIN(TestEditorSearch)
#include "test_editorsearch.moc"

#include <QAction>
#include <QClipboard>
#include <QEnterEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>

#include "ui/editor/tform2.h"
#include "testsupport/scripteddialogs.h"
#include "testsupport/testmain.h"
#include "ui/toolkit/toolimage.h"

// The quick editor's toolbar, editing commands and font command.
class TestEditorCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void hoverSwapsThePictures();
    void toolbarRunsOnTheReleaseOfAnyButton();
    void fontWithASelectionFormatsOnlyIt();
    void fontWithoutASelectionSetsTheControlsFont();
    void fontConfirmedMarksModifiedCancelledDoesNot();
    void dateTimeReplacesTheSelection();
    void undoRedoByMenuAndKeys();
    void clipboardDeleteAndSelectAll();

private:
    void select(int from, int to);
    QTextCharFormat formatAt(int position) const;

    ScriptedDialogs m_dialogs;
    TForm2 *m_form = nullptr;
    QTemporaryDir m_dir;
};

namespace {
FontSpec serif()
{
    FontSpec font;
    font.name = QStringLiteral("Liberation Serif");
    font.size = 20;
    font.bold = true;
    font.color = Qt::red;
    return font;
}

QImage pictureOf(const ToolImage *image)
{
    return image->pixmap().toImage();
}
} // namespace

void TestEditorCommands::init()
{
    m_dialogs.clear();
    m_form = new TForm2;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_form->re1->setPlainText(QStringLiteral("one two three"));
}

void TestEditorCommands::cleanup()
{
    delete m_form;
}

void TestEditorCommands::select(int from, int to)
{
    QTextCursor cursor(m_form->re1->document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    m_form->re1->setTextCursor(cursor);
}

QTextCharFormat TestEditorCommands::formatAt(int position) const
{
    QTextCursor cursor(m_form->re1->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

void TestEditorCommands::hoverSwapsThePictures()
{
    ToolImage *save = m_form->Image4;
    QCOMPARE(pictureOf(save), m_form->ImageList1.picture(4).toImage());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(save, &enter);
    QCOMPARE(pictureOf(save), m_form->ImageList2.picture(2).toImage());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(save, &leave);
    QCOMPARE(pictureOf(save), m_form->ImageList1.picture(4).toImage());
}

void TestEditorCommands::toolbarRunsOnTheReleaseOfAnyButton()
{
    m_form->setdocumentname(m_dir.filePath(QStringLiteral("s.vnr")));
    QTest::mouseClick(m_form->Image4, Qt::RightButton);
    QCOMPARE(m_dialogs.messages(), QStringList{QStringLiteral("Script Saved")});
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("s.vnr"))));

    // The font image runs on an ordinary click only; the context menu's Font runs it too.
    m_dialogs.clear();
    QTest::mouseClick(m_form->Image9, Qt::RightButton);
    QCOMPARE(m_dialogs.shown.size(), 0);
    QTest::mouseClick(m_form->Image9, Qt::LeftButton);
    m_form->Font3->trigger();
    QCOMPARE(m_dialogs.shown.size(), 2);
    QCOMPARE(m_dialogs.shown.constFirst().kind, ScriptedDialogs::Shown::Font);
}

void TestEditorCommands::fontWithASelectionFormatsOnlyIt()
{
    select(4, 7);
    QTextCharFormat mono;
    mono.setFontFamilies({QStringLiteral("Liberation Mono")});
    m_form->re1->textCursor().mergeCharFormat(mono);
    const QFont controlFont = m_form->re1->font();
    m_form->editmodified = false;
    m_dialogs.fonts.enqueue(serif());
    m_form->Font1->trigger();
    // The dialog starts from the selection's format.
    QCOMPARE(m_dialogs.shown.constLast().text, QStringLiteral("Liberation Mono"));
    const QTextCharFormat two = formatAt(5);
    QCOMPARE(two.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Serif")});
    QCOMPARE(two.fontPointSize(), 20.0);
    QCOMPARE(two.fontWeight(), int(QFont::Bold));
    QCOMPARE(two.foreground().color(), QColor(Qt::red));
    QVERIFY(formatAt(1).fontWeight() != QFont::Bold);
    QVERIFY(formatAt(9).fontWeight() != QFont::Bold);
    QCOMPARE(m_form->re1->font(), controlFont);
    QVERIFY(m_form->editmodified);
}

void TestEditorCommands::fontWithoutASelectionSetsTheControlsFont()
{
    m_dialogs.fonts.enqueue(serif());
    m_form->Font1->trigger();
    QCOMPARE(m_form->re1->font().family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(m_form->re1->font().pointSize(), 20);
    QCOMPARE(m_form->re1->palette().color(QPalette::Text), QColor(Qt::red));
    for (int position : {0, 5, 12})
        QCOMPARE(formatAt(position).fontPointSize(), 20.0);
}

void TestEditorCommands::fontConfirmedMarksModifiedCancelledDoesNot()
{
    m_form->editmodified = false;
    m_form->Font1->trigger();
    QVERIFY(!m_form->editmodified);
    m_dialogs.fonts.enqueue(FontSpec::fromQFont(m_form->re1->font(), Qt::white));
    m_form->Font1->trigger();
    QVERIFY(m_form->editmodified);
}

void TestEditorCommands::dateTimeReplacesTheSelection()
{
    m_form->re1->setPlainText(QStringLiteral("a b c d e"));
    select(2, 7);
    m_form->DateTime1->trigger();
    // The tests run in the C.UTF-8 locale.
    const QRegularExpression expected(QStringLiteral("^a \\d\\d/\\d\\d/\\d\\d( \\d\\d:\\d\\d:\\d\\d)? e$"));
    QVERIFY2(expected.match(m_form->re1->toPlainText()).hasMatch(), qPrintable(m_form->re1->toPlainText()));
}

void TestEditorCommands::undoRedoByMenuAndKeys()
{
    m_form->re1->clear();
    m_form->activateWindow();
    m_form->re1->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QTest::keyClicks(m_form->re1, QStringLiteral("abc"));
    m_form->Undo1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QString());
    m_form->Redo1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("abc"));
    m_form->Undo2->trigger();
    QTest::keyClick(m_form->re1, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("abc"));
}

void TestEditorCommands::clipboardDeleteAndSelectAll()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    m_form->Cut1->trigger();
    m_form->Copy1->trigger();
    m_form->Delete1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("one two three"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

    select(3, 7);
    m_form->Delete1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("one three"));
    m_form->SelectAll1->trigger();
    m_form->Cut2->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one three"));

    // Rich text pastes with its formatting.
    auto *rich = new QMimeData;
    rich->setHtml(QStringLiteral("<b>bold</b>"));
    QGuiApplication::clipboard()->setMimeData(rich);
    m_form->Paste1->trigger();
    QCOMPARE(m_form->re1->toPlainText(), QStringLiteral("bold"));
    QCOMPARE(formatAt(1).fontWeight(), int(QFont::Bold));
    QVERIFY(m_form->editmodified);
}

VANTELL_CORE_TEST_MAIN(TestEditorCommands)
#include "test_editorcommands.moc"

#include <QTextCursor>
#include <QTextDocument>

#include "core/editor/replaceall.h"
#include "testsupport/testmain.h"

// Replace All over a document, with the document's own case-insensitive search.
class TestReplaceAll : public QObject {
    Q_OBJECT
private slots:
    void replacementHoldingTheTextIsNotSearchedAgain();
    void caseIsIgnoredByTheDocumentsOwnRules();
    void replacementsFormOneUndoStep();
    void nothingFoundOrNothingToFindChangesNothing();
    void replacementTakesTheFormatOfTheMatch();
};

void TestReplaceAll::replacementHoldingTheTextIsNotSearchedAgain()
{
    QTextDocument document(QStringLiteral("aaa"));
    QCOMPARE(replaceall(&document, QStringLiteral("a"), QStringLiteral("aa")), 3);
    QCOMPARE(document.toPlainText(), QStringLiteral("aaaaaa"));
}

void TestReplaceAll::caseIsIgnoredByTheDocumentsOwnRules()
{
    QTextDocument document(QStringLiteral("CAT cat\nCat \u00c9T\u00c9"));
    replaceall(&document, QStringLiteral("cat"), QStringLiteral("dog"));
    replaceall(&document, QStringLiteral("\u00e9t\u00e9"), QStringLiteral("summer"));
    QCOMPARE(document.toPlainText(), QStringLiteral("dog dog\ndog summer"));
}

void TestReplaceAll::replacementsFormOneUndoStep()
{
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("one cat, two cats, three cats"));
    replaceall(&document, QStringLiteral("cat"), QStringLiteral("dog"));
    QCOMPARE(document.toPlainText(), QStringLiteral("one dog, two dogs, three dogs"));
    document.undo();
    QCOMPARE(document.toPlainText(), QStringLiteral("one cat, two cats, three cats"));
    document.redo();
    QCOMPARE(document.toPlainText(), QStringLiteral("one dog, two dogs, three dogs"));
}

void TestReplaceAll::nothingFoundOrNothingToFindChangesNothing()
{
    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("text"));
    document.setModified(false);
    QCOMPARE(replaceall(&document, QStringLiteral("dog"), QStringLiteral("cat")), 0);
    QCOMPARE(replaceall(&document, QString(), QStringLiteral("cat")), 0);
    QVERIFY(!document.isModified());
    QCOMPARE(document.toPlainText(), QStringLiteral("text"));
}

void TestReplaceAll::replacementTakesTheFormatOfTheMatch()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("a "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("cat"), bold);
    cursor.insertText(QStringLiteral(" b"), QTextCharFormat());
    replaceall(&document, QStringLiteral("cat"), QStringLiteral("dog"));
    QTextCursor dog(&document);
    dog.setPosition(3);
    QCOMPARE(dog.charFormat().fontWeight(), int(QFont::Bold));
    dog.setPosition(6);
    QCOMPARE(dog.charFormat().fontWeight(), int(QFont::Normal));
}

VANTELL_CORE_TEST_MAIN(TestReplaceAll)
#include "test_replaceall.moc"

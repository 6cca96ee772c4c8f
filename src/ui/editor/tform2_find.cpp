// Find and replace in the quick editor: the two modeless dialogs, the find walk over the lines as
// wrapped on screen, Replace and Replace All.
#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include "ui/editor/findreplacedialog.h"
#include "core/editor/replaceall.h"
#include "ui/editor/tform2.h"
#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

void showDialog(FindReplaceDialog *dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

void TForm2::Find1Click()
{
    showDialog(FindDialog1);
}

void TForm2::Replace1Click()
{
    showDialog(ReplaceDialog1);
}

void TForm2::FindDialog1Find()
{
    findnext(FindDialog1);
}

void TForm2::ReplaceDialog1Find()
{
    findnext(ReplaceDialog1);
}

void TForm2::findnext(const FindReplaceDialog *dialog)
{
    const EditorLines lines = editorlines();
    const LineSearch::Result result = finder.findnext(lines.texts, dialog->findText(), dialog->matchCase());
    if (result.kind == LineSearch::Result::NotFound) {
        Dialogs::current().message(i18n(str::NotFound));
        return;
    }
    if (result.kind != LineSearch::Result::Found)
        return;
    // Going to the end first makes the control scroll back up to the match, which then rests
    // at the top of the visible area when enough text follows it.
    re1->moveCursor(QTextCursor::End);
    re1->ensureCursorVisible();
    QTextCursor match(re1->document());
    const int start = lines.starts.at(result.line) + result.column - 1;
    match.setPosition(start);
    match.setPosition(start + result.length, QTextCursor::KeepAnchor);
    re1->setTextCursor(match);
    re1->ensureCursorVisible();
    re1->setFocus();
}

TForm2::EditorLines TForm2::editorlines() const
{
    EditorLines lines;
    const QTextDocument *document = re1->document();
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        // Asking for the block's place lays it out if the control has not done so yet.
        layout->blockBoundingRect(block);
        const QTextLayout *wrapped = block.layout();
        const QString text = block.text();
        for (int i = 0; i < wrapped->lineCount(); ++i) {
            const QTextLine line = wrapped->lineAt(i);
            QString piece = text.mid(line.textStart(), line.textLength());
            if (piece.endsWith(QChar::LineSeparator))
                piece.chop(1);
            lines.texts << piece;
            lines.starts << block.position() + line.textStart();
        }
    }
    // An empty last line (after a final line end, or of an empty text) is no line of its own.
    if (!lines.texts.isEmpty() && lines.texts.constLast().isEmpty()) {
        lines.texts.removeLast();
        lines.starts.removeLast();
    }
    return lines;
}

void TForm2::ReplaceDialog1Replace(bool replaceAll)
{
    if (replaceAll) {
        SearchAndReplace(ReplaceDialog1->findText(), ReplaceDialog1->replaceText());
        return;
    }
    // The selection is replaced whatever it holds; it need not match Find what.
    if (re1->textCursor().hasSelection())
        re1->insertPlainText(ReplaceDialog1->replaceText());
    else
        Dialogs::current().message(i18n(str::NothingSelectedToReplace));
}

void TForm2::SearchAndReplace(const QString &findText, const QString &replaceText)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    re1->setFocus();
    replaceall(re1->document(), findText, replaceText);
    QGuiApplication::restoreOverrideCursor();
}

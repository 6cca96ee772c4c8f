#include "ui/editlive/lockedtextedit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTextBlock>

LockedTextEdit::LockedTextEdit(QWidget *parent) : QTextEdit(parent) {}

void LockedTextEdit::setLockedParagraphs(int count)
{
    m_locked = std::max(0, count);
}

int LockedTextEdit::lockedEnd() const
{
    if (m_locked <= 0)
        return 0;
    const QTextBlock first = document()->findBlockByNumber(m_locked);
    // Everything is locked when the reader has passed the last paragraph.
    return first.isValid() ? first.position() : document()->characterCount();
}

bool LockedTextEdit::touchesLocked() const
{
    return textCursor().selectionStart() < lockedEnd();
}

bool LockedTextEdit::refuse()
{
    emit refused();
    return true;
}

void LockedTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo)) {
        guardedUndo();
        return;
    }
    if (event->matches(QKeySequence::Redo) ||
        (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier)) {
        guardedRedo();
        return;
    }
    const bool copies = event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll);
    const bool deletesBack = event->key() == Qt::Key_Backspace;
    // What writes, deletes or takes away text: typed characters (Enter and Tab among them), the
    // delete keys, cutting and pasting.
    const bool edits =
        !copies && (!event->text().isEmpty() || deletesBack || event->key() == Qt::Key_Delete ||
                    event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste));
    const int end = lockedEnd();
    const QTextCursor caret = textCursor();
    // Deleting back from the start of the first open paragraph would join it to a locked one.
    const bool joinsLocked = deletesBack && !caret.hasSelection() && caret.position() == end && end > 0;
    if (edits && (touchesLocked() || joinsLocked)) {
        refuse();
        return;
    }
    QTextEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit paragraphEnded();
}

void LockedTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty() && touchesLocked()) {
        refuse();
        event->accept();
        return;
    }
    QTextEdit::inputMethodEvent(event);
}

bool LockedTextEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return !touchesLocked() && QTextEdit::canInsertFromMimeData(source);
}

void LockedTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (touchesLocked()) {
        refuse();
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

void LockedTextEdit::dropEvent(QDropEvent *event)
{
    // A drop lands where it is let go, and one dragged from this text takes its words away.
    const int at = cursorForPosition(event->position().toPoint()).position();
    const bool movesOwn = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (at < lockedEnd() || (movesOwn && touchesLocked())) {
        event->ignore();
        refuse();
        return;
    }
    QTextEdit::dropEvent(event);
}

void LockedTextEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu(event->pos());
    const bool locked = touchesLocked();
    for (QAction *action : menu->actions()) {
        const QString name = action->objectName();
        if (name == QLatin1String("edit-undo") || name == QLatin1String("edit-redo")) {
            // The control's own undo and redo are not guarded: ours are.
            action->disconnect();
            const bool undo = name == QLatin1String("edit-undo");
            connect(action, &QAction::triggered, this,
                    undo ? &LockedTextEdit::guardedUndo : &LockedTextEdit::guardedRedo);
        } else if (locked && (name == QLatin1String("edit-cut") || name == QLatin1String("edit-paste") ||
                              name == QLatin1String("edit-delete"))) {
            action->setEnabled(false);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void LockedTextEdit::guardedUndo()
{
    guarded(&QTextEdit::undo, &QTextEdit::redo);
}

void LockedTextEdit::guardedRedo()
{
    guarded(&QTextEdit::redo, &QTextEdit::undo);
}

void LockedTextEdit::guarded(void (QTextEdit::*step)(), void (QTextEdit::*back)())
{
    const int end = lockedEnd();
    if (end == 0) {
        (this->*step)();
        return;
    }
    const QString locked = document()->toPlainText().left(end);
    (this->*step)();
    if (document()->toPlainText().left(end) != locked) {
        (this->*back)();
        refuse();
    }
}

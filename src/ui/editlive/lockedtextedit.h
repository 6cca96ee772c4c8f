#pragma once

#include <QTextEdit>

class QMenu;

// The text of Edit Live: a rich-text control whose first paragraphs, those the reader has passed,
// take no change while they are locked. Typing, deleting, pasting and dropping there do nothing
// (nor does joining the first open paragraph to them), and an undo or redo that would change them
// is taken back; `refused` tells each time.
class LockedTextEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit LockedTextEdit(QWidget *parent = nullptr);

    // The paragraphs from the first that take no change; 0: none.
    void setLockedParagraphs(int count);
    int lockedParagraphs() const { return m_locked; }

    // Undo and redo, taken back when they would change a locked paragraph.
    void guardedUndo();
    void guardedRedo();

signals:
    void refused();
    // Enter was pressed in the text: a paragraph is complete.
    void paragraphEnded();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void dropEvent(QDropEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Where the first paragraph that takes changes starts; 0 with nothing locked.
    int lockedEnd() const;
    // Whether changing the selection (or typing at the caret) would change a locked paragraph.
    bool touchesLocked() const;
    bool refuse();
    void guarded(void (QTextEdit::*step)(), void (QTextEdit::*back)());

    int m_locked = 0;
};

#pragma once

#include <functional>

#include <QWidget>

class LockedTextEdit;
class QAction;
class QLabel;
class QMenuBar;

// The window of Edit Live, on the operator's screen beside the prompter: the script shown, its
// file commands (Save, Save As, Close), the switch "Lock what was read" and a status line with the
// document's name. It is not modal: the prompter keeps every control while it is open. Closing it
// asks `mayClose` first.
class EditLiveWindow : public QWidget {
    Q_OBJECT
public:
    explicit EditLiveWindow(QWidget *parent);

    LockedTextEdit *text;
    QMenuBar *menus;
    QAction *save, *saveAs, *closing, *lockRead;

    void setTexts();
    void setDocumentName(const QString &name);
    QString documentName() const;
    // Tells something on the status line for a while.
    void tell(const QString &notice);
    // Closing asks this first; it returns whether the window may close.
    void setCloseQuery(std::function<bool()> mayClose) { m_mayClose = std::move(mayClose); }

signals:
    // A key that is no editing key: the prompter's function keys work from here too.
    void commandKey(int key);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_name;
    QLabel *m_notice;
    std::function<bool()> m_mayClose;
};

#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A modeless find or replace dialog: Find what, Match case, and for replacing Replace with and
// the direction. It only reports its buttons; the editor does the finding and replacing. The
// buttons that act are offered only while Find what holds text.
class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    enum Kind { Find, Replace };

    FindReplaceDialog(Kind kind, QWidget *parent);

    QString findText() const;
    QString replaceText() const;
    bool matchCase() const;

    QLineEdit *FindText;
    QLineEdit *ReplaceText = nullptr;
    QCheckBox *MatchCase;
    // Shown as a choice, starting at Down; every search runs toward the end of the text.
    QRadioButton *Up = nullptr, *Down = nullptr;
    QPushButton *FindNext;
    QPushButton *ReplaceButton = nullptr, *ReplaceAllButton = nullptr;
    QPushButton *CancelButton;

signals:
    void findNextClicked();
    // `all` is true for Replace All.
    void replaceClicked(bool all);

private:
    void offerButtons();
};

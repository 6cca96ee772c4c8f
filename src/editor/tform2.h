#pragma once

#include <QDialog>

class QTextEdit;

// The quick editor: one rich-text document in `re1`.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);

    QTextEdit *re1;
};

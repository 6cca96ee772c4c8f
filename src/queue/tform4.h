#pragma once

#include <QDialog>

class QListWidget;
class RadioGroup;

// The options window: the queue of scripts and the display options.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);

    QListWidget *ListBox1;
    RadioGroup *mainformlocation, *allcaps, *mtype, *rtype;

    void clearQueue();
};

#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The small borderless window that shows the progress of a special-character conversion.
class TForm7 : public QWidget {
    Q_OBJECT
public:
    explicit TForm7(QWidget *owner = nullptr);

    QLabel *Label1;
    QProgressBar *ProgressBar1;

    // Shows the window centred on its owner with a bar from 0 to `count`.
    void begin(int count);
    void step(int index);
    void end();

private:
    QWidget *m_owner;
};

#pragma once

#include <QDialog>

// The about window.
class Taboutform : public QDialog {
    Q_OBJECT
public:
    explicit Taboutform(QWidget *parent = nullptr);
};

#pragma once

#include <QDialog>

#include "core/platform/fontspec.h"

class QFontDialog;
class QPushButton;

// A font dialog that offers face, style, size, underline, strike-out and the text colour.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(const FontSpec &initial, QWidget *parent = nullptr);
    FontSpec selectedFont() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chooseColor();
    void showColor();

    FontSpec m_initial;
    QColor m_color;
    QFontDialog *m_fonts;
    QPushButton *m_colorButton;
};

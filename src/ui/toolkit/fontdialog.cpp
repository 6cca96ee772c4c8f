#include "ui/toolkit/fontdialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/platform/translation.h"
#include "stringtable.h"

FontDialog::FontDialog(const FontSpec &initial, QWidget *parent)
    : QDialog(parent), m_initial(initial), m_color(initial.color), m_fonts(new QFontDialog(this)),
      m_colorButton(new QPushButton(this))
{
    setWindowTitle(i18n(str::FontDialogTitle));
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setCurrentFont(initial.toQFont());
    // The chooser is a dialog of its own inside this one, which takes Enter and Escape in its
    // fields for itself: they confirm or cancel this one instead, as in every dialog.
    m_fonts->installEventFilter(this);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(i18n(str::FontDialogColor), this));
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();
    connect(m_colorButton, &QPushButton::clicked, this, &FontDialog::chooseColor);
    // Return in the dialog means OK, as in every dialog, not "choose a colour".
    m_colorButton->setAutoDefault(false);
    showColor();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

bool FontDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_fonts && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

FontSpec FontDialog::selectedFont() const
{
    FontSpec spec = FontSpec::fromQFont(m_fonts->currentFont(), m_color);
    spec.charset = m_initial.charset;
    spec.pitch = m_initial.pitch;
    spec.orientation = m_initial.orientation;
    return spec;
}

void FontDialog::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(m_color, this, i18n(str::FontDialogColor));
    if (chosen.isValid()) {
        m_color = chosen;
        showColor();
    }
}

void FontDialog::showColor()
{
    m_colorButton->setText(m_color.name().toUpper());
    m_colorButton->setStyleSheet(QStringLiteral("background-color: %1; color: %2;")
                                     .arg(m_color.name(), m_color.lightness() > 128 ? "black" : "white"));
}

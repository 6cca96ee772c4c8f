#include "ui/render/tform7.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/toolkit/accessiblenames.h"

TForm7::TForm7(QWidget *owner)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      Label1(new QLabel(this)), ProgressBar1(new QProgressBar(this)), m_owner(owner)
{
    setObjectName(QStringLiteral("Form7"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(333, 67);
    setWindowOpacity(100.0 / 255.0);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    setPalette(black);
    setAutoFillBackground(true);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(i18n(str::ConvertingToScript));
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setFixedSize(315, 17);
    ProgressBar1->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(9, 8, 9, 8);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    // The window has no title: screen readers name it, and its bar, by its text.
    setAccessibleName(Label1->text());
    Label1->setBuddy(ProgressBar1);
    nameControlsAccessibly(this);
}

void TForm7::begin(int count)
{
    ProgressBar1->setRange(0, count);
    ProgressBar1->setValue(0);
    if (m_owner) {
        const QRect frame = m_owner->frameGeometry();
        move(frame.center() - rect().center());
    }
    show();
    repaint();
}

void TForm7::step(int index)
{
    ProgressBar1->setValue(index);
}

void TForm7::end()
{
    hide();
}

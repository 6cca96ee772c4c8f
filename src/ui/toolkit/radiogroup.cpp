#include "ui/toolkit/radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(QWidget *parent) : QGroupBox(parent), m_buttons(new QButtonGroup(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    connect(m_buttons, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

void RadioGroup::setItems(const QStringList &items)
{
    const int chosen = itemIndex();
    for (QAbstractButton *button : m_buttons->buttons()) {
        m_buttons->removeButton(button);
        delete button;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        button->setObjectName(QStringLiteral("%1_item%2").arg(objectName()).arg(i));
        m_buttons->addButton(button, i);
        layout()->addWidget(button);
    }
    setItemIndex(chosen);
}

QStringList RadioGroup::items() const
{
    QStringList texts;
    for (QAbstractButton *button : m_buttons->buttons())
        texts << button->text();
    return texts;
}

int RadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton *button = m_buttons->button(index)) {
        button->setChecked(true);
        return;
    }
    if (QAbstractButton *checked = m_buttons->checkedButton()) {
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
}

#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A captioned group of radio buttons; the chosen item is `itemIndex()` (-1 when none).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    QStringList items() const;
    int itemIndex() const;
    // An index outside the items chooses none.
    void setItemIndex(int index);

signals:
    void itemIndexChanged(int index);

private:
    QButtonGroup *m_buttons;
};

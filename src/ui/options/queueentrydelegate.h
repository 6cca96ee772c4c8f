#pragma once

#include <QStyledItemDelegate>

// Draws an entry of the queue as its name with the script's reading time on a second, quieter
// line under it. The entry's words are its data under WordsRole (none: no time shown).
class QueueEntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int WordsRole = Qt::UserRole + 1;

    explicit QueueEntryDelegate(QObject *parent = nullptr);
    void setPace(int wordsPerMinute);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_wpm;
};

#include "ui/options/queueentrydelegate.h"

#include <QPainter>

#include "core/engine/readingestimate.h"
#include "core/platform/translation.h"
#include "stringtable.h"

namespace {
constexpr int lineGap = 3;
} // namespace

QueueEntryDelegate::QueueEntryDelegate(QObject *parent)
    : QStyledItemDelegate(parent), m_wpm(ReadingPace::defaultWpm)
{
}

void QueueEntryDelegate::setPace(int wordsPerMinute)
{
    m_wpm = wordsPerMinute;
}

void QueueEntryDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    // The name keeps the whole width of the first line, as it had before times were shown.
    const int lineHeight = option.fontMetrics.height();
    QStyleOptionViewItem first = option;
    first.displayAlignment = Qt::AlignLeft | Qt::AlignTop;
    QStyledItemDelegate::paint(painter, first, index);
    const QVariant words = index.data(WordsRole);
    if (!words.isValid())
        return;
    // A gap between the lines keeps the name's low strokes (an underscore) clear of the time.
    const QRect second(option.rect.left() + 12, option.rect.top() + lineHeight + lineGap,
                       option.rect.width() - 16, lineHeight);
    painter->save();
    painter->setPen(option.state.testFlag(QStyle::State_Selected)
                        ? option.palette.color(QPalette::HighlightedText)
                        : QColor(0xb8, 0xb8, 0xb8));
    painter->drawText(second, Qt::AlignLeft | Qt::AlignVCenter,
                      i18n(str::EntryReadingTime).arg(readingclock(readingms(words.toInt(), m_wpm))));
    painter->restore();
}

QSize QueueEntryDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QSize one = QStyledItemDelegate::sizeHint(option, index);
    return {one.width(), one.height() + option.fontMetrics.height() + 2 * lineGap};
}

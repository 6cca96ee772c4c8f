#include "core/import/listlabel.h"

#include <QTextBlock>
#include <QTextList>

QString listlabel(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return QString();
    const QTextBlockFormat format = block.blockFormat();
    if (format.hasProperty(listLabelProperty))
        return format.stringProperty(listLabelProperty);
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
        return QStringLiteral("\u2022");
    case QTextListFormat::ListCircle:
        return QStringLiteral("\u25E6");
    case QTextListFormat::ListSquare:
        return QStringLiteral("\u25AA");
    case QTextListFormat::ListStyleUndefined:
        return QString();
    default:
        return list->itemText(block);
    }
}

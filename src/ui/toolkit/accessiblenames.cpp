#include "ui/toolkit/accessiblenames.h"

#include <QLabel>
#include <QTextDocumentFragment>
#include <QWidget>

namespace {

// A hint as a reader says it: without markup.
QString spokenHint(const QString &hint)
{
    return (Qt::mightBeRichText(hint) ? QTextDocumentFragment::fromHtml(hint).toPlainText() : hint).trimmed();
}

// A caption as a reader says it: without markup or, in a plain one, its mnemonic marks
// ("&Open" -> "Open", "&&" -> "&").
QString spokenCaption(const QString &caption)
{
    if (Qt::mightBeRichText(caption))
        return spokenHint(caption);
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        spoken += caption.at(i);
    }
    return spoken.trimmed();
}

void nameIfUnnamed(QWidget *widget, const QString &name)
{
    if (widget->accessibleName().isEmpty() && !name.isEmpty())
        widget->setAccessibleName(name);
}

} // namespace

void nameControlsAccessibly(QWidget *window)
{
    // Captions first: a label says what its control is for better than a hint does.
    for (QLabel *caption : window->findChildren<QLabel *>()) {
        if (caption->buddy())
            nameIfUnnamed(caption->buddy(), spokenCaption(caption->text()));
    }
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        if (!widget->toolTip().isEmpty())
            nameIfUnnamed(widget, spokenHint(widget->toolTip()));
    }
}

#include "ui/toolkit/readoutaccessible.h"

#include <QLabel>

#include "ui/toolkit/statusreadout.h"

ReadoutAccessible::ReadoutAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StatusBar) {}

StatusReadout *ReadoutAccessible::readout() const
{
    return StatusReadout::of(widget());
}

QString ReadoutAccessible::reading() const
{
    StatusReadout *source = readout();
    return source ? source->reading() : QString();
}

QAccessible::Role ReadoutAccessible::role() const
{
    return QAccessible::StatusBar;
}

QString ReadoutAccessible::text(QAccessible::Text kind) const
{
    StatusReadout *source = readout();
    if (kind == QAccessible::Name && source)
        return source->caption();
    if (kind == QAccessible::Description || kind == QAccessible::Value)
        return reading();
    return QAccessibleWidget::text(kind);
}

void *ReadoutAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void ReadoutAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
}

int ReadoutAccessible::selectionCount() const
{
    return 0;
}

void ReadoutAccessible::addSelection(int, int) {}

void ReadoutAccessible::removeSelection(int) {}

void ReadoutAccessible::setSelection(int, int, int) {}

int ReadoutAccessible::cursorPosition() const
{
    return 0;
}

void ReadoutAccessible::setCursorPosition(int) {}

QString ReadoutAccessible::text(int startOffset, int endOffset) const
{
    const QString whole = reading();
    if (endOffset < 0 || endOffset > whole.size())
        endOffset = int(whole.size());
    startOffset = qBound(0, startOffset, endOffset);
    return whole.mid(startOffset, endOffset - startOffset);
}

int ReadoutAccessible::characterCount() const
{
    return int(reading().size());
}

QRect ReadoutAccessible::characterRect(int) const
{
    return {};
}

int ReadoutAccessible::offsetAtPoint(const QPoint &) const
{
    return -1;
}

void ReadoutAccessible::scrollToSubstring(int, int) {}

QString ReadoutAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

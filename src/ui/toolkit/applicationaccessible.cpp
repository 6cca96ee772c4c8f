#include "ui/toolkit/applicationaccessible.h"

#include <QGuiApplication>
#include <QWindow>

QList<QAccessibleInterface *> ApplicationAccessible::shownWindows()
{
    QList<QAccessibleInterface *> windows;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        // Menus are announced as they open, not listed: as Qt itself does.
        if (!window->isVisible() || window->type() == Qt::Popup || window->type() == Qt::Desktop)
            continue;
        QAccessibleInterface *root = window->accessibleRoot();
        if (root && root->object())
            windows << root;
    }
    return windows;
}

int ApplicationAccessible::childCount() const
{
    return int(shownWindows().size());
}

QAccessibleInterface *ApplicationAccessible::child(int index) const
{
    const QList<QAccessibleInterface *> windows = shownWindows();
    return index >= 0 && index < windows.size() ? windows.at(index) : nullptr;
}

int ApplicationAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    return int(shownWindows().indexOf(const_cast<QAccessibleInterface *>(child)));
}

#include "ui/toolkit/accessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>

#include "ui/toolkit/applicationaccessible.h"
#include "ui/toolkit/readoutaccessible.h"
#include "ui/toolkit/statusreadout.h"
#include "ui/toolkit/toolimage.h"
#include "ui/toolkit/toolimageaccessible.h"

namespace {

// A window made of a plain widget (the prompter, the talent display, the progress window): Qt
// would call it a filler, a part of something else. Menus and tips are windows of other kinds.
bool isPlainWindow(const QString &className, const QWidget *widget)
{
    const QMetaObject *type = widget->metaObject();
    const Qt::WindowType kind = widget->windowType();
    return widget->isWindow() && (kind == Qt::Window || kind == Qt::Tool) &&
           className == QLatin1String(type->className()) &&
           (type == &QWidget::staticMetaObject || type->superClass() == &QWidget::staticMetaObject);
}

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    if (object == QCoreApplication::instance())
        return new ApplicationAccessible;
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (auto *image = qobject_cast<ToolImage *>(widget); image && className == QLatin1String("ToolImage"))
        return new ToolImageAccessible(image);
    if (auto *label = qobject_cast<QLabel *>(widget); label && StatusReadout::of(label))
        return new ReadoutAccessible(label);
    if (isPlainWindow(className, widget))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(interfaceFor);
}

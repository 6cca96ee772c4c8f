#include "ui/toolkit/toolimageaccessible.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>

#include "ui/toolkit/toolimage.h"

ToolImageAccessible::ToolImageAccessible(ToolImage *image) : QAccessibleWidget(image, QAccessible::Button) {}

namespace {

// Opens the image's menu as the menu key does: on its first command, so that the tool is told
// where it stands.
void openMenu(ToolImage *image)
{
    const QPoint center = image->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, center, image->mapToGlobal(center));
    QCoreApplication::sendEvent(image, &request);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu || menu->activeAction())
        return;
    for (QAction *command : menu->actions()) {
        if (!command->isSeparator() && command->isVisible() && command->isEnabled()) {
            menu->setActiveAction(command);
            return;
        }
    }
}

} // namespace

ToolImage *ToolImageAccessible::image() const
{
    return static_cast<ToolImage *>(widget());
}

bool ToolImageAccessible::opensMenu() const
{
    return image()->contextMenuPolicy() == Qt::CustomContextMenu;
}

QAccessible::Role ToolImageAccessible::role() const
{
    return QAccessible::Button;
}

QString ToolImageAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Accelerator)
        return image()->shortcut().toString(QKeySequence::NativeText);
    // An image that shows a caption instead of a picture (the options window's queue commands)
    // is named by it, as a label would be.
    if (kind == QAccessible::Name && image()->accessibleName().isEmpty() && !image()->text().isEmpty())
        return QString(image()->text()).remove(QLatin1Char('&')).trimmed();
    return QAccessibleWidget::text(kind);
}

QStringList ToolImageAccessible::actionNames() const
{
    QStringList names{pressAction()};
    if (opensMenu())
        names << showMenuAction();
    return names;
}

QAccessible::State ToolImageAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.hasPopup = opensMenu();
    return state;
}

void ToolImageAccessible::doAction(const QString &actionName)
{
    if (!actionNames().contains(actionName))
        return;
    // The tool gets its answer at once; the command runs after it, as it may open a window that
    // waits for the user.
    if (opensMenu()) {
        // Pressing an image that carries a menu opens it.
        QMetaObject::invokeMethod(
            image(), [image = image()] { openMenu(image); }, Qt::QueuedConnection);
    } else {
        QMetaObject::invokeMethod(image(), &ToolImage::press, Qt::QueuedConnection);
    }
}

QStringList ToolImageAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction() && !image()->shortcut().isEmpty())
        return {image()->shortcut().toString(QKeySequence::NativeText)};
    return {};
}

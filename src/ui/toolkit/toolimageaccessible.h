#pragma once

#include <QAccessibleWidget>

class ToolImage;

// A toolbar image as assistive tools see it: a push button named by its hint, pressed through
// the accessible action interface, with its key as the action's key binding. Pressing an image
// that opens a menu on a right click (the logo) opens that menu.
class ToolImageAccessible : public QAccessibleWidget {
public:
    explicit ToolImageAccessible(ToolImage *image);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    ToolImage *image() const;
    bool opensMenu() const;
};

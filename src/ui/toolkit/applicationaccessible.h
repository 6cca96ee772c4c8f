#pragma once

#include <QAccessibleApplication>
#include <QList>

// The program as assistive tools see it: the windows it shows. Qt's own view also lists the
// windows that are hidden (a closed options window, the progress window between conversions) and
// the browser's drawing surface, a window that is never shown; none of them can be reached.
class ApplicationAccessible : public QAccessibleApplication {
public:
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    static QList<QAccessibleInterface *> shownWindows();
};

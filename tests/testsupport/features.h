#pragma once

#include <QObject>
#include <QtGlobal>

// A feature of a window (markers and jumps, the countdown, ...), a child object it made, or a
// child found by its object name. A test that asks for one that is not there cannot go on.
template <typename Feature> Feature &feature(const QObject *window)
{
    Feature *found = window->findChild<Feature *>();
    if (!found)
        qFatal("the window has no %s", Feature::staticMetaObject.className());
    return *found;
}

template <typename Child> Child *named(const QObject *window, const char *name)
{
    Child *found = window->findChild<Child *>(QLatin1String(name));
    if (!found)
        qFatal("the window has no child named %s", name);
    return found;
}

#pragma once

#include <QString>
#include <QStringList>

// Turns a filter written "Description|*.a;*.b|Description|*.c" into the name filters of a Qt
// file dialog: "Description (*.a *.b)", "Description (*.c)".
QStringList qtNameFilters(const QString &filter);

#pragma once

#include <QString>
#include <QStringList>

// Turns a filter written "Description|*.a;*.b|Description|*.c" into the name filters of a Qt
// file dialog: "Description (*.a *.b)", "Description (*.c)".
QStringList qtNameFilters(const QString &filter);

// The filter of the dialogs that choose a script to prompt from: the readable scripts first, then
// the documents of word processors and markup files, which are imported.
QString scriptfilter();

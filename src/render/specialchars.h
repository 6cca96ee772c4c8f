#pragma once

#include <functional>

#include <QString>
#include <QStringList>

// Rewrites `lines` in place with the special-character table and returns it. Each table line
// holds tab-separated fields: field 2 is the page form, field 3 the form in scripts and in the
// editor. Direction "page" replaces field 3 by field 2, "editor" field 2 by field 3; entries
// apply in table order, case-sensitively. `progress` is told the index of each table line.
QStringList &convertchars(const QString &direction, QStringList &lines, const QStringList &specialtable,
                          const std::function<void(int index, int count)> &progress = {});

// The lines of a special-character table file; throws std::runtime_error when it cannot be read.
QStringList loadspecialtable(const QString &path);

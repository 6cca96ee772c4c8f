#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The parts of a zip archive, in the order they are written: name and unpacked bytes.
using ZipParts = QList<QPair<QString, QByteArray>>;

// Writes `parts` as a zip archive at `path`, each one encrypted with `password` when one is given;
// fails the running test when the archive cannot be written.
void writezip(const QString &path, const ZipParts &parts, const char *password = nullptr);

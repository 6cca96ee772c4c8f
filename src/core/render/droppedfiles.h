#pragma once

#include <QStringList>

class QMimeData;

// The local files that a drag carries, in the order it names them; links to anything but a local
// file are left out.
QStringList droppedfiles(const QMimeData *data);
// Those of them that are scripts of a kind the program opens (see scriptkind).
QStringList droppedscripts(const QMimeData *data);

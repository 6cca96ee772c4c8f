#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "core/controllers/evdevstream.h"

// A recorded input device's events, as text: one record a line ("EV_REL REL_DIAL 17", names as
// evtest writes them), "SYN" ending each frame, "#" starting a comment. Throws on a line it
// cannot read, so that a recording's typo fails its test instead of testing less.
QList<InputFrame> readevdevrecording(const QString &path);

// The frames as the kernel writes them to a reader of the device.
QByteArray evdevrecordingbytes(const QList<InputFrame> &frames);

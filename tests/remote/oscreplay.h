#pragma once

// What must hold of any datagram sent to the OSC port: it is read without a crash or a hang, into
// a message or nothing; a message is written back as the same message (floats aside, which go
// out as 32 bits) and becomes a sound command, a reason, or (a button's release) nothing.
// Shared by the fuzzing harness and the corpus test.
#include <algorithm>

#include "core/remote/osccommand.h"
#include "remote/remotereplay.h"

inline QString replayosc(const QByteArray &bytes)
{
    const std::optional<OscMessage> read = readoscmessage(bytes);
    if (!read)
        return {};
    const bool exact =
        std::none_of(read->arguments.cbegin(), read->arguments.cend(),
                     [](const QVariant &value) { return value.typeId() == QMetaType::Double; });
    if (exact && readoscmessage(oscdatagram(*read)) != read)
        return QStringLiteral("written back as another message");
    return commandfault(osccommand(*read), true);
}

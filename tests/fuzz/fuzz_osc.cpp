// libFuzzer harness for the datagrams sent to the OSC port: any bytes must go through without a
// crash, a hang or undefined behaviour, and what must hold of the result holds (remote/oscreplay.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "remote/oscreplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString fault = replayosc(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!fault.isEmpty()) {
        qWarning("%s", qPrintable(fault));
        std::abort();
    }
    return 0;
}

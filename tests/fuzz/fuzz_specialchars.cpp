// libFuzzer harness. The special characters table: its field splitter and the conversion of scripts with it
// (fuzz/inputreplay.h). Any bytes must go through without a crash, a hang or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/inputreplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString fault =
        replayspecialchars(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!fault.isEmpty()) {
        qWarning("%s", qPrintable(fault));
        std::abort();
    }
    return 0;
}

// libFuzzer harness. Text files (scripts, queue files, specialchars.dat) as the program decodes and splits
// them (fuzz/inputreplay.h). Any bytes must go through without a crash, a hang or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/inputreplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString fault = replaytextfile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!fault.isEmpty()) {
        qWarning("%s", qPrintable(fault));
        std::abort();
    }
    return 0;
}

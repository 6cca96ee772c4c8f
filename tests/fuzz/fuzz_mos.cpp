// libFuzzer harness for the newsroom connection: framing, reading the messages, applying them to
// the running orders and answering. Any bytes must go through without a crash, a hang or undefined
// behaviour, and what must hold of the answers and the running orders holds (mos/mosreplay.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QCoreApplication>

#include "mos/mosreplay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString fault = replaymos(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!fault.isEmpty()) {
        qWarning("%s", qPrintable(fault));
        std::abort();
    }
    return 0;
}

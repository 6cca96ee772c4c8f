// libFuzzer harness for the RTF reader. Any bytes must read without a crash, a hang or undefined
// behaviour; and what was read must write RTF that reads back to a document writing the same RTF,
// which also holds the writer to what the reader understands.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QGuiApplication>
#include <QTextDocument>

#include "core/rtf/rtf.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Fonts need an application; it gets its own arguments so that it leaves the fuzzer's alone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argumentCount = 1;
    static char name[] = "fuzz_rtf";
    static char *arguments[] = {name, nullptr};
    static QGuiApplication application(argumentCount, arguments);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    if (!readRtf(bytes, &document))
        return 0;
    const QByteArray written = writeRtf(&document);
    QTextDocument again;
    if (!readRtf(written, &again) || writeRtf(&again) != written)
        std::abort();
    return 0;
}

// libFuzzer harness. The settings file, whatever was written into it: every window's values read within their
// ranges (fuzz/inputreplay.h). Any bytes must go through without a crash, a hang or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QGuiApplication>

#include "fuzz/inputreplay.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A settings file may hold values of any type (@Variant(...)), pictures among them, which only
    // an application with a window system can make: the program reads its settings with one, and
    // so does the harness. It gets its own arguments so that it leaves the fuzzer's alone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argumentCount = 1;
    static char name[] = "fuzz_settings";
    static char *arguments[] = {name, nullptr};
    static QGuiApplication application(argumentCount, arguments);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString fault = replaysettings(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!fault.isEmpty()) {
        qWarning("%s", qPrintable(fault));
        std::abort();
    }
    return 0;
}

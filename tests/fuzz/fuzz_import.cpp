// libFuzzer harness for the readers of word processors' documents. Any bytes must import without a
// crash, a hang or undefined behaviour, as a .docx and as an .odt: a zip archive as it is, anything
// else as the XML of every part the readers look into, so that both the zip reading and the XML
// reading get fuzzed. A file the readers refuse throws std::runtime_error, which is no fault.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include "core/import/documentimport.h"

namespace {

QTemporaryDir *directory = nullptr;

void writefile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void writezip(const QString &path, const QStringList &parts, const QByteArray &bytes)
{
    QuaZip zip(path);
    zip.open(QuaZip::mdCreate);
    for (const QString &part : parts) {
        QuaZipFile file(&zip);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(part));
        file.write(bytes);
        file.close();
    }
    zip.close();
}

void import(const QString &path)
{
    QTextDocument document;
    try {
        importdocument(path, &document);
    } catch (const std::runtime_error &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Fonts need an application; it gets its own arguments so that it leaves the fuzzer's alone.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argumentCount = 1;
    static char name[] = "fuzz_import";
    static char *arguments[] = {name, nullptr};
    static QGuiApplication application(argumentCount, arguments);
    static QTemporaryDir temporary;
    directory = &temporary;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString docx = directory->filePath(QStringLiteral("input.docx"));
    const QString odt = directory->filePath(QStringLiteral("input.odt"));
    if (bytes.startsWith("PK")) {
        writefile(docx, bytes);
        writefile(odt, bytes);
    } else {
        writezip(docx,
                 {QStringLiteral("word/document.xml"), QStringLiteral("word/styles.xml"),
                  QStringLiteral("word/numbering.xml"), QStringLiteral("_rels/.rels")},
                 bytes);
        writezip(odt, {QStringLiteral("content.xml"), QStringLiteral("styles.xml")}, bytes);
    }
    import(docx);
    import(odt);
    return 0;
}

#include "testsupport/ziparchive.h"

#include <QTest>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

void writezip(const QString &path, const ZipParts &parts, const char *password)
{
    QuaZip zip(path);
    QVERIFY2(zip.open(QuaZip::mdCreate), qPrintable(path));
    for (const auto &[name, bytes] : parts) {
        QuaZipFile file(&zip);
        QVERIFY2(file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), password), qPrintable(name));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        QCOMPARE(file.getZipError(), 0);
    }
    zip.close();
    QCOMPARE(zip.getZipError(), 0);
}

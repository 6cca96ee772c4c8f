#include "core/import/zippackage.h"

#include <stdexcept>

#include <QFile>
#include <QFileInfo>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include "core/platform/textfile.h"
#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

// Word keeps a document saved with a password in a compound file of its own instead of a zip.
bool isCompoundFile(const QByteArray &head)
{
    return head.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1"));
}

} // namespace

ZipPackage::ZipPackage(const QString &path) : m_path(path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        const QString reason = QFileInfo(path).isDir() ? i18n(str::IsADirectory) : file.errorString();
        throw std::runtime_error(i18n(str::CannotOpenFile).arg(path, reason).toStdString());
    }
    if (isCompoundFile(file.read(8)))
        fail(i18n(str::ImportEncrypted));
    file.close();

    m_zip = std::make_unique<QuaZip>(path);
    if (!m_zip->open(QuaZip::mdUnzip))
        fail(i18n(str::ImportNotZip));
    const QList<QuaZipFileInfo64> entries = m_zip->getFileInfoList64();
    if (entries.size() > maxParts)
        fail(i18n(str::ImportTooManyParts).arg(maxParts));
    qint64 unpacked = 0;
    for (const QuaZipFileInfo64 &entry : entries) {
        if (entry.isEncrypted())
            fail(i18n(str::ImportEncrypted));
        unpacked += qint64(entry.uncompressedSize);
        if (entry.uncompressedSize > quint64(maxUnpackedBytes) || unpacked > maxUnpackedBytes)
            fail(i18n(str::ImportTooLarge).arg(maxUnpackedBytes / (1024 * 1024)));
    }
}

ZipPackage::~ZipPackage() = default;

bool ZipPackage::contains(const QString &part) const
{
    return m_zip->setCurrentFile(part, QuaZip::csSensitive);
}

QByteArray ZipPackage::read(const QString &part) const
{
    if (!contains(part))
        fail(i18n(str::ImportPartMissing).arg(part));
    QuaZipFileInfo64 info;
    m_zip->getCurrentFileInfo(&info);
    QuaZipFile file(m_zip.get());
    if (!file.open(QIODevice::ReadOnly))
        fail(i18n(str::ImportPartDamaged).arg(part));
    // The size the archive states was checked against the limit; a part that unpacks to more than
    // it states is cut off there rather than trusted.
    const qint64 stated = qint64(info.uncompressedSize);
    QByteArray bytes = file.read(stated + 1);
    const bool damaged = bytes.size() != stated || file.getZipError() != UNZ_OK;
    file.close();
    if (damaged || file.getZipError() != UNZ_OK)
        fail(i18n(str::ImportPartDamaged).arg(part));
    return bytes;
}

void ZipPackage::fail(const QString &reason) const
{
    throw std::runtime_error(i18n(str::CannotImport).arg(m_path, reason).toStdString());
}

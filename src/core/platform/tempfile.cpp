#include "core/platform/tempfile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <QDir>

#include "core/platform/translation.h"
#include "stringtable.h"

TempFile::TempFile()
{
    const QString directory = QDir::tempPath();
    const auto fail = [](const QString &where, const QString &reason) {
        throw std::runtime_error(i18n(str::CannotCreateTempFile).arg(where, reason).toStdString());
    };
    // Qt gives no directory at all when TMPDIR names a missing one; the file would then land in
    // the root or working directory.
    if (directory.isEmpty())
        fail(qEnvironmentVariable("TMPDIR"), QString::fromLocal8Bit(std::strerror(ENOENT)));
    m_file.setFileTemplate(directory + QStringLiteral("/~XXXXXX"));
    if (!m_file.open())
        fail(directory, m_file.errorString());
    // The steps write and read the file by its name; the handle is not needed.
    m_file.close();
}

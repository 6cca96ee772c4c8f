#include "platform/tempfile.h"

#include <stdexcept>

#include <QDir>

#include "platform/translation.h"
#include "stringtable.h"

TempFile::TempFile() : m_file(QDir::tempPath() + QStringLiteral("/~XXXXXX"))
{
    if (!m_file.open())
        throw std::runtime_error(
            i18n(str::CannotCreateTempFile).arg(QDir::tempPath(), m_file.errorString()).toStdString());
    // The steps write and read the file by its name; the handle is not needed.
    m_file.close();
}

#include "core/editor/recoverystore.h"

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/textfile.h"
#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

constexpr const char *marker = "VANTELL-QUICKEDIT-RECOVERY 1";

QString stateFolder()
{
    // Qt 6.4 names no state folder of its own; the XDG base directories say where it is.
    const QString configured = qEnvironmentVariable("XDG_STATE_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return configured;
    return QDir::homePath() + QStringLiteral("/.local/state");
}

} // namespace

QByteArray encoderecovery(const RecoveredText &text)
{
    QString name = text.documentName;
    name.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    QByteArray bytes(marker);
    bytes += '\n';
    bytes += name.toUtf8();
    bytes += '\n';
    bytes += text.keptAt.toUTC().toString(Qt::ISODateWithMs).toLatin1();
    bytes += '\n';
    bytes += text.rtf;
    return bytes;
}

std::optional<RecoveredText> decoderecovery(const QByteArray &bytes)
{
    const qsizetype markEnd = bytes.indexOf('\n');
    if (markEnd < 0 || bytes.left(markEnd) != marker)
        return std::nullopt;
    const qsizetype nameEnd = bytes.indexOf('\n', markEnd + 1);
    if (nameEnd < 0)
        return std::nullopt;
    const qsizetype timeEnd = bytes.indexOf('\n', nameEnd + 1);
    if (timeEnd < 0)
        return std::nullopt;
    RecoveredText text;
    text.documentName = QString::fromUtf8(bytes.mid(markEnd + 1, nameEnd - markEnd - 1));
    text.keptAt = QDateTime::fromString(QString::fromLatin1(bytes.mid(nameEnd + 1, timeEnd - nameEnd - 1)),
                                        Qt::ISODateWithMs);
    text.rtf = bytes.mid(timeEnd + 1);
    if (!text.keptAt.isValid() || !text.rtf.startsWith("{\\rtf"))
        return std::nullopt;
    return text;
}

QString RecoveryStore::defaultPath()
{
    return stateFolder() + QStringLiteral("/korvanex/vantell/quickedit.recovery");
}

RecoveryStore::RecoveryStore(QString path) : m_path(std::move(path)) {}

bool RecoveryStore::exists() const
{
    return QFileInfo::exists(m_path);
}

void RecoveryStore::save(const RecoveredText &text) const
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    writewholefile(m_path, encoderecovery(text));
}

std::optional<RecoveredText> RecoveryStore::load() const
{
    if (!exists())
        return std::nullopt;
    std::optional<RecoveredText> text = decoderecovery(readwholefile(m_path));
    if (!text)
        throw std::runtime_error(
            i18n(str::CannotReadFile).arg(m_path, i18n(str::UnrecognizedFileFormat)).toStdString());
    return text;
}

void RecoveryStore::remove() const
{
    QFile::remove(m_path);
}

QString RecoveryStore::setAside() const
{
    const QString aside = m_path + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile::rename(m_path, aside);
    return aside;
}

QString recoverypreview(const QString &plainText, int maxLines, int maxChars)
{
    // Paragraph and line breaks of the document model count as line ends.
    QString text = plainText;
    text.replace(QChar(0x2029), QLatin1Char('\n')).replace(QChar(0x2028), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    const bool moreLines = lines.size() > maxLines;
    lines = lines.mid(0, maxLines);
    QString preview = lines.join(QLatin1Char('\n'));
    const bool moreChars = preview.size() > maxChars;
    if (moreChars)
        preview = preview.left(maxChars);
    if (moreLines || moreChars)
        preview += QStringLiteral(" \u2026");
    return preview;
}

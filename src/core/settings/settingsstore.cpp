#include "core/settings/settingsstore.h"

#include <QDir>

#include "core/platform/translation.h"
#include "stringtable.h"

SettingsStore::SettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QLatin1String(organization),
                 QLatin1String(application))
{
}

std::optional<QString> SettingsStore::commit(const QString &group)
{
    m_settings.sync();
    if (m_settings.status() != QSettings::AccessError)
        return std::nullopt;
    const QString key =
        QDir::toNativeSeparators(m_settings.fileName()) + QStringLiteral(" [") + group + QLatin1Char(']');
    return i18n(str::UnableToCreateKey).arg(key);
}

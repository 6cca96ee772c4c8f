#pragma once

#include <optional>

#include <QSettings>
#include <QString>

// The settings of the current user (~/.config/korvanex/vantell.conf), with one group per window
// ("Form1", "Form4") and the installation's service addresses ("Service", which may also come
// from the system-wide /etc/xdg/korvanex/vantell.conf).
class SettingsStore {
public:
    SettingsStore();

    QSettings &settings() { return m_settings; }

    // Writes what was set to the file. The file is replaced whole or not at all; on failure, the
    // text that tells which key could not be written (`group` names it).
    std::optional<QString> commit(const QString &group);

    static constexpr const char *organization = "korvanex";
    static constexpr const char *application = "vantell";

private:
    QSettings m_settings;
};

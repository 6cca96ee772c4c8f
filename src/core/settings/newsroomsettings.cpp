#include "core/settings/newsroomsettings.h"

#include <QSettings>

#include "core/settings/storedvalue.h"

namespace {

const QString group = QStringLiteral("Newsroom");

std::optional<int> readPort(const QSettings &settings, const QString &key)
{
    const std::optional<qint64> port = storedinteger(settings.value(key));
    if (!port || *port < 1 || *port > 65535)
        return std::nullopt;
    return static_cast<int>(*port);
}

} // namespace

void writenewsroomsettings(QSettings &settings, const NewsroomSettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("Enabled"), values.enabled ? 1 : 0);
    settings.setValue(QStringLiteral("LowerPort"), values.lowerPort);
    settings.setValue(QStringLiteral("UpperPort"), values.upperPort);
    settings.setValue(QStringLiteral("DeviceID"), values.deviceId);
    settings.setValue(QStringLiteral("HideInstructions"), values.hideInstructions ? 1 : 0);
    settings.setValue(QStringLiteral("ListenAddress"), values.listenAddress);
    settings.setValue(QStringLiteral("NcsID"), values.ncsId);
    settings.setValue(QStringLiteral("AllowedAddresses"), values.allowedAddresses);
    settings.setValue(QStringLiteral("NcsPort"), values.ncsPort);
    settings.endGroup();
}

void readnewsroomsettings(QSettings &settings, NewsroomSettings &values)
{
    settings.beginGroup(group);
    values.enabled = storedboolean(settings.value(QStringLiteral("Enabled"))).value_or(values.enabled);
    const int lower = readPort(settings, QStringLiteral("LowerPort")).value_or(values.lowerPort);
    const int upper = readPort(settings, QStringLiteral("UpperPort")).value_or(values.upperPort);
    if (lower != upper) {
        values.lowerPort = lower;
        values.upperPort = upper;
    }
    const QString id = storedtext(settings.value(QStringLiteral("DeviceID"))).value_or(QString()).trimmed();
    if (!id.isEmpty() && id.size() <= 128)
        values.deviceId = id;
    values.hideInstructions =
        storedboolean(settings.value(QStringLiteral("HideInstructions"))).value_or(values.hideInstructions);
    values.listenAddress =
        storedtext(settings.value(QStringLiteral("ListenAddress"))).value_or(values.listenAddress).trimmed();
    values.ncsId = storedtext(settings.value(QStringLiteral("NcsID"))).value_or(values.ncsId).trimmed();
    values.allowedAddresses = storedtext(settings.value(QStringLiteral("AllowedAddresses")))
                                  .value_or(values.allowedAddresses)
                                  .trimmed();
    values.ncsPort = readPort(settings, QStringLiteral("NcsPort")).value_or(values.ncsPort);
    settings.endGroup();
}

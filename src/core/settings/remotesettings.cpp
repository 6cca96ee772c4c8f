#include "core/settings/remotesettings.h"

#include <QSettings>

#include "core/remote/accesstoken.h"
#include "core/settings/storedvalue.h"

namespace {

const QString group = QStringLiteral("Remote");
constexpr qsizetype shortestToken = 16;

} // namespace

void writeremotesettings(QSettings &settings, const RemoteSettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("Enabled"), values.enabled ? 1 : 0);
    settings.setValue(QStringLiteral("Port"), values.port);
    settings.setValue(QStringLiteral("AllowNetwork"), values.allowNetwork ? 1 : 0);
    settings.setValue(QStringLiteral("Token"), values.token);
    settings.setValue(QStringLiteral("OscPort"), values.oscPort);
    settings.endGroup();
}

void readremotesettings(QSettings &settings, RemoteSettings &values)
{
    settings.beginGroup(group);
    values.enabled = storedboolean(settings.value(QStringLiteral("Enabled"))).value_or(values.enabled);
    const std::optional<qint64> port = storedinteger(settings.value(QStringLiteral("Port")));
    if (port && *port >= 1 && *port <= 65535)
        values.port = static_cast<int>(*port);
    const std::optional<qint64> oscPort = storedinteger(settings.value(QStringLiteral("OscPort")));
    if (oscPort && *oscPort >= 1 && *oscPort <= 65535)
        values.oscPort = static_cast<int>(*oscPort);
    values.allowNetwork =
        storedboolean(settings.value(QStringLiteral("AllowNetwork"))).value_or(values.allowNetwork);
    const QString token = storedtext(settings.value(QStringLiteral("Token"))).value_or(QString()).trimmed();
    if (token.size() >= shortestToken)
        values.token = token;
    settings.endGroup();
    if (values.token.size() < shortestToken)
        values.token = generatetoken();
}

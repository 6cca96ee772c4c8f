#include "core/settings/serviceaddresses.h"

#include "core/settings/settingsstore.h"
#include "core/settings/storedvalue.h"

namespace {

QUrl address(QSettings &settings, const char *key, const char *environment, const QUrl &fallback)
{
    const QString overridden = qEnvironmentVariable(environment);
    if (!overridden.isEmpty())
        return QUrl(overridden);
    const QUrl stored(storedtext(settings.value(QLatin1String(key))).value_or(QString()));
    return stored.isValid() && !stored.host().isEmpty() ? stored : fallback;
}

} // namespace

ServiceAddresses ServiceAddresses::load()
{
    const QUrl local(QStringLiteral("http://127.0.0.1:%1/").arg(defaultPort));
    SettingsStore store;
    QSettings &settings = store.settings();
    settings.beginGroup(QStringLiteral("Service"));
    ServiceAddresses addresses;
    addresses.site = address(settings, "SiteUrl", "VANTELL_SERVICE_URL", local);
    addresses.help = address(settings, "HelpUrl", "VANTELL_HELP_URL", local);
    addresses.probe = address(settings, "ProbeUrl", "VANTELL_PROBE_URL", local);
    settings.endGroup();
    return addresses;
}

QUrl ServiceAddresses::startpage(const QString &query) const
{
    QUrl page = site.resolved(QUrl(QStringLiteral("/vantell/cgi/vn2.cgi")));
    page.setQuery(query.mid(1));
    return page;
}

QUrl ServiceAddresses::helppage() const
{
    return help.resolved(QUrl(QStringLiteral("/help/")));
}

QString webquery(const QString &version, const QString &edition)
{
    const auto pair = [](const QString &key, const QString &value) { return key + QLatin1Char('=') + value; };
    return QLatin1Char('?') + pair(QStringLiteral("v"), version) + QLatin1Char('&') +
           pair(QStringLiteral("t"), edition);
}

#include "core/settings/standbysettings.h"

#include <QSettings>

#include "core/settings/storedvalue.h"

namespace {
const QString group = QStringLiteral("Standby");
} // namespace

StandbySettings readstandbysettings(QSettings &settings)
{
    StandbySettings values;
    settings.beginGroup(group);
    const std::optional<qint64> takeover = storedinteger(settings.value(QStringLiteral("TakeoverMs")));
    if (takeover && *takeover >= StandbySettings::minTakeoverMs &&
        *takeover <= StandbySettings::maxTakeoverMs)
        values.takeoverMs = int(*takeover);
    settings.endGroup();
    return values;
}

void writestandbysettings(QSettings &settings, const StandbySettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("TakeoverMs"), values.takeoverMs);
    settings.endGroup();
}

#include "core/settings/midisettings.h"

#include <QSettings>

#include "core/settings/storedvalue.h"

namespace {
const QString group = QStringLiteral("MIDI");
} // namespace

void writemidisettings(QSettings &settings, const MidiSettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("Enabled"), values.enabled ? 1 : 0);
    settings.setValue(QStringLiteral("Bindings"), values.bindings);
    settings.endGroup();
}

void readmidisettings(QSettings &settings, MidiSettings &values)
{
    settings.beginGroup(group);
    values.enabled = storedboolean(settings.value(QStringLiteral("Enabled"))).value_or(values.enabled);
    const QVariant bindings = settings.value(QStringLiteral("Bindings"));
    if (bindings.canConvert<QStringList>() && bindings.isValid())
        values.bindings = bindings.toStringList();
    settings.endGroup();
}

#include "core/settings/voicesettings.h"

#include <QSettings>

namespace {
const QString group = QStringLiteral("Voice");
} // namespace

VoiceSettings readvoicesettings(QSettings &settings)
{
    VoiceSettings values;
    settings.beginGroup(group);
    values.enabled = settings.value(QStringLiteral("Enabled"), values.enabled).toBool();
    values.microphone = settings.value(QStringLiteral("Microphone")).toByteArray();
    settings.endGroup();
    return values;
}

void writevoicesettings(QSettings &settings, const VoiceSettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("Enabled"), values.enabled);
    settings.setValue(QStringLiteral("Microphone"), values.microphone);
    settings.endGroup();
}

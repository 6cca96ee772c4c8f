#include "core/settings/promptersettings.h"

#include <QSettings>

#include "core/settings/fontstorage.h"
#include "core/settings/storedvalue.h"

namespace {
const QString group = QStringLiteral("Form1");
const QString fontGroup = QStringLiteral("FontDialog1_Font");

std::optional<int> readInRange(const QSettings &settings, const QString &key, int low, int high)
{
    const std::optional<qint64> number = storedinteger(settings.value(key));
    if (!number || *number < low || *number > high)
        return std::nullopt;
    return static_cast<int>(*number);
}
} // namespace

void writepromptersettings(QSettings &settings, const PrompterSettings &values, int pixelsPerInch)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("FormVersion"), 0);
    writeplacement(settings, values.placement, pixelsPerInch, false);
    settings.beginGroup(fontGroup);
    writefont(settings, values.font, pixelsPerInch);
    settings.endGroup();
    settings.setValue(QStringLiteral("speedmod_Value"), values.coarseStep);
    settings.setValue(QStringLiteral("Timer1_Interval"), values.tickInterval);
    settings.setValue(QStringLiteral("outputscreen_Name"), values.outputScreen);
    settings.endGroup();
}

bool readpromptersettings(QSettings &settings, PrompterSettings &values, int pixelsPerInch,
                          const QPalette &palette)
{
    settings.beginGroup(group);
    if (storedinteger(settings.value(QStringLiteral("FormVersion"))).value_or(0) < 0) {
        settings.endGroup();
        return false;
    }
    const RestoredPlacement restored = readplacement(settings, values.placement, pixelsPerInch, false);
    values.placement = restored.placement;
    settings.beginGroup(fontGroup);
    readfont(settings, values.font, pixelsPerInch, palette);
    settings.endGroup();
    values.coarseStep =
        readInRange(settings, QStringLiteral("speedmod_Value"), 1, 10).value_or(values.coarseStep);
    values.tickInterval =
        readInRange(settings, QStringLiteral("Timer1_Interval"), 1, 301).value_or(values.tickInterval);
    values.outputScreen =
        storedtext(settings.value(QStringLiteral("outputscreen_Name"))).value_or(values.outputScreen);
    settings.endGroup();
    return restored.applyPositions;
}

#include "core/settings/optionssettings.h"

#include <QSettings>

#include "core/settings/storedvalue.h"

namespace {
const QString group = QStringLiteral("Form4");

std::optional<int> readItemIndex(const QSettings &settings, const QString &key)
{
    const std::optional<qint64> index = storedinteger(settings.value(key));
    if (!index || *index < 0 || *index > 1)
        return std::nullopt;
    return static_cast<int>(*index);
}
} // namespace

void writeoptionssettings(QSettings &settings, const OptionsSettings &values, int pixelsPerInch)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("FormVersion"), 0);
    writeplacement(settings, values.placement, pixelsPerInch, true);
    settings.setValue(QStringLiteral("allcaps_ItemIndex"), values.allcaps);
    settings.setValue(QStringLiteral("mainformlocation_ItemIndex"), values.mainformlocation);
    settings.setValue(QStringLiteral("smoothscroll_ItemIndex"), values.smoothscroll);
    settings.setValue(QStringLiteral("reloadscript_ItemIndex"), values.reloadscript);
    settings.endGroup();
}

bool readoptionssettings(QSettings &settings, OptionsSettings &values, int pixelsPerInch)
{
    settings.beginGroup(group);
    if (storedinteger(settings.value(QStringLiteral("FormVersion"))).value_or(0) < 0) {
        settings.endGroup();
        return false;
    }
    const RestoredPlacement restored = readplacement(settings, values.placement, pixelsPerInch, true);
    values.placement = restored.placement;
    // The window is shown modally: opening it minimized would block the prompter behind a window
    // that cannot be seen.
    if (values.placement.showCmd == WindowPlacement::Minimized)
        values.placement.showCmd = WindowPlacement::Normal;
    values.allcaps = readItemIndex(settings, QStringLiteral("allcaps_ItemIndex")).value_or(values.allcaps);
    values.mainformlocation = readItemIndex(settings, QStringLiteral("mainformlocation_ItemIndex"))
                                  .value_or(values.mainformlocation);
    values.smoothscroll =
        readItemIndex(settings, QStringLiteral("smoothscroll_ItemIndex")).value_or(values.smoothscroll);
    values.reloadscript =
        readItemIndex(settings, QStringLiteral("reloadscript_ItemIndex")).value_or(values.reloadscript);
    settings.endGroup();
    return restored.applyPositions;
}

#include "settings/optionsstorage.h"

#include <QSettings>

#include "platform/radiogroup.h"
#include "queue/tform4.h"
#include "settings/optionssettings.h"
#include "settings/pendingsettingswrite.h"
#include "settings/settingsstore.h"
#include "settings/windowstorage.h"

namespace {

const QString group = QStringLiteral("Form4");

OptionsSettings currentSettings(const TForm4 *form)
{
    return {placementOf(form), form->allcaps->itemIndex(), form->mainformlocation->itemIndex(),
            form->smoothscroll->itemIndex()};
}

void write(const OptionsSettings &values)
{
    storeSettings(group, [&values](QSettings &settings) {
        writeoptionssettings(settings, values, screenPixelsPerInch());
    });
}

} // namespace

void restoreOptionsSettings(TForm4 *form)
{
    OptionsSettings values = currentSettings(form);
    SettingsStore store;
    const bool positions = readoptionssettings(store.settings(), values, screenPixelsPerInch());
    applyPlacement(form, values.placement, positions, true);
    form->allcaps->setItemIndex(values.allcaps);
    form->mainformlocation->setItemIndex(values.mainformlocation);
    form->smoothscroll->setItemIndex(values.smoothscroll);
    PendingSettingsWrite::markWritten(form); // a second restore replaces the first
    new PendingSettingsWrite(form, [values] { write(values); });
}

void saveOptionsSettings(TForm4 *form)
{
    write(currentSettings(form));
    PendingSettingsWrite::markWritten(form);
}

#include "ui/options/optionswindowsettings.h"

#include "ui/options/tform4.h"
#include "ui/settings/optionsstorage.h"
#include "ui/settings/pendingsettingswrite.h"
#include "ui/toolkit/radiogroup.h"
#include "ui/toolkit/windowgeometry.h"

namespace {

OptionsSettings currentSettings(const TForm4 *form)
{
    return {placementOf(form), form->allcaps->itemIndex(), form->mainformlocation->itemIndex(),
            form->smoothscroll->itemIndex(), form->reloadscript->itemIndex()};
}

} // namespace

void restoreSettings(TForm4 *form)
{
    bool positions = false;
    const OptionsSettings values = loadOptionsSettings(currentSettings(form), &positions);
    applyPlacement(form, values.placement, positions, true);
    form->allcaps->setItemIndex(values.allcaps);
    form->mainformlocation->setItemIndex(values.mainformlocation);
    form->smoothscroll->setItemIndex(values.smoothscroll);
    form->reloadscript->setItemIndex(values.reloadscript);
    PendingSettingsWrite::markWritten(form); // a second restore replaces the first
    new PendingSettingsWrite(form, [values] { storeOptionsSettings(values); });
}

void saveSettings(TForm4 *form)
{
    storeOptionsSettings(currentSettings(form));
    PendingSettingsWrite::markWritten(form);
}

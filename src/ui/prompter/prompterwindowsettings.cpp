#include "ui/prompter/prompterwindowsettings.h"

#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "ui/readingaids/readingaids.h"
#include "ui/settings/pendingsettingswrite.h"
#include "ui/settings/prompterstorage.h"
#include "ui/talentdisplay/talentdisplay.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/windowgeometry.h"
#include "ui/voice/voicecontrol.h"

namespace {

PrompterSettings currentSettings(const TForm1 *form, const QString &outputScreen)
{
    return {placementOf(form), form->displayfont, form->speedmod->value(), form->Timer1->interval(),
            outputScreen};
}

} // namespace

void restoreSettings(TForm1 *form)
{
    bool positions = false;
    const PrompterSettings values =
        loadPrompterSettings(currentSettings(form, form->m_talent->screenName()), &positions);
    applyPlacement(form, values.placement, positions, false);
    form->displayfont = values.font;
    form->speedmod->setValue(values.coarseStep);
    form->Timer1->setInterval(values.tickInterval);
    form->m_talent->setScreenName(values.outputScreen);
    form->m_aids->restore();
    form->m_voice->restore();
    PendingSettingsWrite::markWritten(form); // a second restore replaces the first
    new PendingSettingsWrite(form, [values] { storePrompterSettings(values); });
}

void saveSettings(TForm1 *form)
{
    storePrompterSettings(currentSettings(form, form->m_talent->screenName()));
    form->m_aids->store();
    form->m_voice->store();
    PendingSettingsWrite::markWritten(form);
}

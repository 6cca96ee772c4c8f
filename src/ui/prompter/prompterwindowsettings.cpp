#include "ui/prompter/prompterwindowsettings.h"

#include "core/engine/ticktimer.h"
#include "ui/prompter/tform1.h"
#include "ui/settings/pendingsettingswrite.h"
#include "ui/settings/prompterstorage.h"
#include "core/settings/readingaidsettings.h"
#include "core/settings/voicesettings.h"
#include "ui/settings/settingsgroup.h"
#include "core/settings/settingsstore.h"
#include "ui/toolkit/stepslider.h"
#include "ui/toolkit/windowgeometry.h"

namespace {

PrompterSettings currentSettings(const TForm1 *form)
{
    return {placementOf(form), form->displayfont, form->speedmod->value(), form->Timer1->interval(),
            form->outputscreen};
}

} // namespace

void restoreSettings(TForm1 *form)
{
    bool positions = false;
    const PrompterSettings values = loadPrompterSettings(currentSettings(form), &positions);
    applyPlacement(form, values.placement, positions, false);
    form->displayfont = values.font;
    form->speedmod->setValue(values.coarseStep);
    form->Timer1->setInterval(values.tickInterval);
    form->outputscreen = values.outputScreen;
    SettingsStore store;
    form->setReadingAids(readreadingaids(store.settings()));
    // Voice following starts with the first page when it was left on.
    form->setVoiceSettings(readvoicesettings(store.settings()));
    PendingSettingsWrite::markWritten(form); // a second restore replaces the first
    new PendingSettingsWrite(form, [values] { storePrompterSettings(values); });
}

void saveSettings(TForm1 *form)
{
    storePrompterSettings(currentSettings(form));
    const ReadingAidSettings aids = form->readingaids;
    storeSettings(QStringLiteral("ReadingAids"),
                  [&aids](QSettings &settings) { writereadingaids(settings, aids); });
    const VoiceSettings voice = form->voicesettings;
    storeSettings(QStringLiteral("Voice"),
                  [&voice](QSettings &settings) { writevoicesettings(settings, voice); });
    PendingSettingsWrite::markWritten(form);
}

#include "settings/prompterstorage.h"

#include <QGuiApplication>
#include <QSettings>

#include "platform/stepslider.h"
#include "platform/ticktimer.h"
#include "prompter/tform1.h"
#include "settings/pendingsettingswrite.h"
#include "settings/promptersettings.h"
#include "settings/settingsstore.h"
#include "settings/windowstorage.h"

namespace {

const QString group = QStringLiteral("Form1");

PrompterSettings currentSettings(const TForm1 *form)
{
    return {placementOf(form), form->displayfont, form->speedmod->value(), form->Timer1->interval(),
            form->outputscreen};
}

void write(const PrompterSettings &values)
{
    storeSettings(group, [&values](QSettings &settings) {
        writepromptersettings(settings, values, screenPixelsPerInch());
    });
}

} // namespace

void restorePrompterSettings(TForm1 *form)
{
    PrompterSettings values = currentSettings(form);
    SettingsStore store;
    const bool positions =
        readpromptersettings(store.settings(), values, screenPixelsPerInch(), QGuiApplication::palette());
    applyPlacement(form, values.placement, positions, false);
    form->displayfont = values.font;
    form->speedmod->setValue(values.coarseStep);
    form->Timer1->setInterval(values.tickInterval);
    form->outputscreen = values.outputScreen;
    PendingSettingsWrite::markWritten(form); // a second restore replaces the first
    new PendingSettingsWrite(form, [values] { write(values); });
}

void savePrompterSettings(TForm1 *form)
{
    write(currentSettings(form));
    PendingSettingsWrite::markWritten(form);
}

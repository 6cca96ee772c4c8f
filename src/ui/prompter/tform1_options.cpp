// The options window as the prompter uses it: shown modally, its choices applied on Ok and put
// back on Cancel.
#include <QListWidget>

#include "ui/browser/browser.h"
#include "ui/prompter/tform1.h"
#include "ui/options/optionswindowsettings.h"
#include "ui/options/readingaidoptions.h"
#include "ui/prompter/prompterwindowsettings.h"
#include "ui/options/tform4.h"
#include "ui/readingaids/readingaids.h"

void TForm1::Options2Click()
{
    TForm4 *options = m_options;
    if (!options)
        return;
    const DisplayModes before = displaymodes;
    const QStringList queue = options->queue();
    const QList<int> words = options->entryWords();
    options->showModes(before);
    options->ReadingAids->showSettings(m_aids->values());

    // The settings are written as the window closes; after Cancel they are the choices put back.
    if (options->exec() != QDialog::Accepted) {
        options->showModes(before);
        options->setQueue(queue, words);
        options->ReadingAids->showSettings(m_aids->values());
        saveSettings(options);
        return;
    }
    saveSettings(options);
    setDisplayModes(options->modes());
    m_aids->set(options->ReadingAids->values(m_aids->values()));
    if (options->ListBox1->count() > 0) {
        const int selected =
            options->ListBox1->currentItem() && options->ListBox1->currentItem()->isSelected()
                ? options->ListBox1->currentRow()
                : -1;
        promptstate.queuepos = selected >= 0 ? selected : 0;
        reportingErrors([this] { loadqueueentry(promptstate.queuepos); });
    }
    dopause();
    if (displaymodes.docking != before.docking)
        setform();
    if (displaymodes.mirrorTarget != before.mirrorTarget ||
        displaymodes.rotateTarget != before.rotateTarget || displaymodes.capitals != before.capitals)
        reloadwb();
    flipmarker();
    wb1->focusPage();
}

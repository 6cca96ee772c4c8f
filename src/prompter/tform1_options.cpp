// The options window as the prompter uses it: shown modally, its choices applied on Ok and put
// back on Cancel.
#include <QListWidget>

#include "app/windows.h"
#include "platform/browser.h"
#include "platform/radiogroup.h"
#include "prompter/tform1.h"
#include "queue/tform4.h"
#include "settings/optionsstorage.h"

void TForm1::Options2Click()
{
    TForm4 *options = windows().Form4;
    if (!options)
        return;
    const int location = options->mainformlocation->itemIndex();
    const int mirrorTarget = options->mtype->itemIndex();
    const int rotateTarget = options->rtype->itemIndex();
    const int capitals = options->allcaps->itemIndex();
    const QStringList queue = options->queue();
    const int smooth = options->smoothscroll->itemIndex();

    // The settings are written as the window closes; after Cancel they are the choices put back.
    if (options->exec() != QDialog::Accepted) {
        options->mainformlocation->setItemIndex(location);
        options->mtype->setItemIndex(mirrorTarget);
        options->rtype->setItemIndex(rotateTarget);
        options->setQueue(queue);
        options->allcaps->setItemIndex(capitals);
        options->smoothscroll->setItemIndex(smooth);
        saveOptionsSettings(options);
        return;
    }
    saveOptionsSettings(options);
    if (options->ListBox1->count() > 0) {
        const int selected =
            options->ListBox1->currentItem() && options->ListBox1->currentItem()->isSelected()
                ? options->ListBox1->currentRow()
                : -1;
        promptstate.queuepos = selected >= 0 ? selected : 0;
        reportingErrors([this] { loadqueueentry(promptstate.queuepos); });
    }
    dopause();
    if (options->mainformlocation->itemIndex() != location)
        setform();
    if (options->mtype->itemIndex() != mirrorTarget || options->rtype->itemIndex() != rotateTarget)
        reloadwb();
    if (options->allcaps->itemIndex() != capitals)
        reloadwb();
    flipmarker();
    smoothmotion = options->smoothscroll->itemIndex() == 1;
    updatemotion();
    wb1->focusPage();
}

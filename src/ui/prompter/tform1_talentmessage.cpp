// A message for the talent: typed by the operator, shown big over the talent display's text until
// dismissed, flashing when chosen.
#include <QAction>
#include <QMenu>

#include "core/platform/translation.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"
#include "ui/toolkit/dialogs.h"

void TForm1::createTalentMessageMenu()
{
    const auto item = [this](const char *name) {
        auto *action = Timing1->addAction(QString());
        action->setObjectName(QLatin1String(name));
        return action;
    };
    Timing1->addSeparator();
    TalentMessage1 = item("TalentMessage1");
    ClearTalentMessage1 = item("ClearTalentMessage1");
    FlashTalentMessage1 = item("FlashTalentMessage1");
    FlashTalentMessage1->setCheckable(true);
    connect(TalentMessage1, &QAction::triggered, this, &TForm1::TalentMessage1Click);
    connect(ClearTalentMessage1, &QAction::triggered, this, &TForm1::cleartalentmessage);
    connect(FlashTalentMessage1, &QAction::triggered, this, [this](bool flash) {
        ReadingAidSettings values = readingaids;
        values.flashMessages = flash;
        setReadingAids(values);
        showNotices();
    });
}

void TForm1::setTalentMessageTexts()
{
    TalentMessage1->setText(i18n(str::MenuTalentMessage));
    ClearTalentMessage1->setText(i18n(str::MenuClearTalentMessage));
    ClearTalentMessage1->setEnabled(!talentmessage.isEmpty());
    FlashTalentMessage1->setText(i18n(str::MenuFlashTalentMessage));
    FlashTalentMessage1->setChecked(readingaids.flashMessages);
}

void TForm1::TalentMessage1Click()
{
    const std::optional<QString> text = Dialogs::current().askText(
        i18n(str::TalentMessageCaption), i18n(str::TalentMessageLabel), talentmessage);
    if (text)
        showtalentmessage(*text);
}

void TForm1::showtalentmessage(const QString &text)
{
    talentmessage = text.simplified();
    setTalentMessageTexts();
    showNotices();
}

void TForm1::cleartalentmessage()
{
    showtalentmessage(QString());
}

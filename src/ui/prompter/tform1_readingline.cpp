// The reading line: the cue on the prompter's page and on the talent's, and its menu.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "ui/browser/browser.h"
#include "core/platform/translation.h"
#include "ui/prompter/outputfollower.h"
#include "ui/prompter/outputwindow.h"
#include "ui/prompter/readingcueoverlay.h"
#include "ui/prompter/tform1.h"
#include "stringtable.h"

namespace {
// Toggles the cue on the prompter's page: a key no other command uses (see tform1_markers.cpp).
constexpr Qt::Key prompterCueKey = Qt::Key_F12;

const int cueOpacities[] = {25, 50, 80, 100};
} // namespace

void TForm1::createReadingLineMenu()
{
    ReadingLine1 = new QMenu(JvPopupMenu1);
    ReadingLine1->setObjectName(QStringLiteral("ReadingLine1"));
    const auto check = [this](const char *name, QActionGroup *group = nullptr) {
        auto *action = ReadingLine1->addAction(QString());
        action->setObjectName(QLatin1String(name));
        action->setCheckable(true);
        if (group)
            group->addAction(action);
        return action;
    };
    CueOnPrompter1 = check("CueOnPrompter1");
    CueOnPrompter1->setShortcut(QKeySequence(prompterCueKey));
    CueOnPrompter1->setShortcutContext(Qt::WidgetShortcut);
    CueOnTalent1 = check("CueOnTalent1");
    ReadingLine1->addSeparator();
    auto *styles = new QActionGroup(ReadingLine1);
    CueArrow1 = check("CueArrow1", styles);
    CueBand1 = check("CueBand1", styles);
    ReadingLine1->addSeparator();
    auto *heights = new QActionGroup(ReadingLine1);
    CueQuarter1 = check("CueQuarter1", heights);
    CueThird1 = check("CueThird1", heights);
    CueHalf1 = check("CueHalf1", heights);
    ReadingLine1->addSeparator();
    CueColour1 = ReadingLine1->addMenu(QString());
    CueColour1->setObjectName(QStringLiteral("CueColour1"));
    CueOpacity1 = ReadingLine1->addMenu(QString());
    CueOpacity1->setObjectName(QStringLiteral("CueOpacity1"));
    for (QMenu *menu : {ReadingLine1, CueColour1, CueOpacity1})
        menu->setStyleSheet(JvPopupMenu1->styleSheet());
    auto *colours = new QActionGroup(CueColour1);
    for (const CueColour &named : cuecolours()) {
        QAction *action = CueColour1->addAction(QString());
        action->setCheckable(true);
        action->setData(named.colour);
        colours->addAction(action);
        connect(action, &QAction::triggered, this, [this, colour = named.colour] {
            changeReadingLine([colour](ReadingLine &line) { line.colour = colour; });
        });
    }
    auto *opacities = new QActionGroup(CueOpacity1);
    for (const int opacity : cueOpacities) {
        QAction *action = CueOpacity1->addAction(QString());
        action->setCheckable(true);
        action->setData(opacity);
        opacities->addAction(action);
        connect(action, &QAction::triggered, this, [this, opacity] {
            changeReadingLine([opacity](ReadingLine &line) { line.opacity = opacity; });
        });
    }

    connect(CueOnPrompter1, &QAction::triggered, this,
            [this](bool on) { changeReadingLine([on](ReadingLine &line) { line.onPrompter = on; }); });
    connect(CueOnTalent1, &QAction::triggered, this,
            [this](bool on) { changeReadingLine([on](ReadingLine &line) { line.onTalent = on; }); });
    connect(CueArrow1, &QAction::triggered, this,
            [this] { changeReadingLine([](ReadingLine &line) { line.style = CueStyle::Arrow; }); });
    connect(CueBand1, &QAction::triggered, this,
            [this] { changeReadingLine([](ReadingLine &line) { line.style = CueStyle::Band; }); });
    const std::pair<QAction *, double> heightOf[] = {
        {CueQuarter1, 0.25}, {CueThird1, 1.0 / 3}, {CueHalf1, 0.5}};
    for (const auto &[action, height] : heightOf)
        connect(action, &QAction::triggered, this,
                [this, height] { changeReadingLine([height](ReadingLine &line) { line.height = height; }); });
}

void TForm1::setReadingLineTexts()
{
    ReadingLine1->setTitle(i18n(str::MenuReadingLine));
    CueOnPrompter1->setText(i18n(str::MenuCueOnPrompter));
    CueOnTalent1->setText(i18n(str::MenuCueOnTalent));
    CueArrow1->setText(i18n(str::MenuCueArrow));
    CueBand1->setText(i18n(str::MenuCueBand));
    CueQuarter1->setText(i18n(str::MenuCueQuarter));
    CueThird1->setText(i18n(str::MenuCueThird));
    CueHalf1->setText(i18n(str::MenuCueHalf));
    CueColour1->setTitle(i18n(str::MenuCueColour));
    CueOpacity1->setTitle(i18n(str::MenuCueOpacity));
    const QList<QAction *> colours = CueColour1->actions();
    for (int i = 0; i < colours.size(); ++i)
        colours.at(i)->setText(i18n(cuecolours().at(i).name));
    for (QAction *action : CueOpacity1->actions())
        action->setText(i18n(str::PercentValue).arg(action->data().toInt()));
}

void TForm1::changeReadingLine(const std::function<void(ReadingLine &)> &change)
{
    ReadingAidSettings values = readingaids;
    change(values.readingLine);
    setReadingAids(values);
}

void TForm1::applyReadingLine()
{
    const ReadingLine &line = readingaids.readingLine;
    // Both pages keep the same gutters, so that they break their lines alike.
    const int gutter = line.onPrompter || line.onTalent ? ReadingLine::gutter : 0;
    wb1->setGutter(gutter);
    readingcue->setCue(line, line.onPrompter, upsideDownLocally());
    if (OutputWindow *output = outputwindow())
        output->setReadingCue(line, line.onTalent, gutter, upsideDownRemotely());

    CueOnPrompter1->setChecked(line.onPrompter);
    CueOnTalent1->setChecked(line.onTalent);
    (line.style == CueStyle::Band ? CueBand1 : CueArrow1)->setChecked(true);
    CueQuarter1->setChecked(qFuzzyCompare(line.height, 0.25));
    CueThird1->setChecked(qFuzzyCompare(line.height, 1.0 / 3));
    CueHalf1->setChecked(qFuzzyCompare(line.height, 0.5));
    for (QAction *action : CueColour1->actions())
        action->setChecked(action->data().value<QColor>() == line.colour);
    for (QAction *action : CueOpacity1->actions())
        action->setChecked(action->data().toInt() == line.opacity);
}

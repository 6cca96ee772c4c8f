#include "ui/readingaids/readinglinecue.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "core/platform/translation.h"
#include "stringtable.h"
#include "ui/browser/browser.h"
#include "ui/prompter/promptercommands.h"
#include "ui/prompter/prompterview.h"
#include "ui/readingaids/readingaids.h"
#include "ui/readingaids/readingcueoverlay.h"
#include "ui/talentdisplay/outputwindow.h"
#include "ui/talentdisplay/talentdisplay.h"

namespace {
const int cueOpacities[] = {25, 50, 80, 100};
} // namespace

ReadingLineCue::ReadingLineCue(const PrompterParts &parts, ReadingAids &aids, TalentDisplay &talent,
                               QObject *parent)
    : QObject(parent), m_view(parts.view), m_page(parts.page), m_aids(aids), m_talent(talent),
      m_overlay(new ReadingCueOverlay(&parts.page))
{
    setObjectName(QStringLiteral("readingline"));
    m_overlay->setObjectName(QStringLiteral("readingcue"));
    m_menu = new QMenu(&parts.menu);
    m_menu->setObjectName(QStringLiteral("ReadingLine1"));
    m_onPrompter = check("CueOnPrompter1");
    parts.commands.bindMenuEntry(m_onPrompter);
    m_onTalent = check("CueOnTalent1");
    m_menu->addSeparator();
    auto *styles = new QActionGroup(m_menu);
    m_arrow = check("CueArrow1", styles);
    m_band = check("CueBand1", styles);
    m_menu->addSeparator();
    auto *heights = new QActionGroup(m_menu);
    m_quarter = check("CueQuarter1", heights);
    m_third = check("CueThird1", heights);
    m_half = check("CueHalf1", heights);
    m_menu->addSeparator();
    m_colours = m_menu->addMenu(QString());
    m_colours->setObjectName(QStringLiteral("CueColour1"));
    m_opacities = m_menu->addMenu(QString());
    m_opacities->setObjectName(QStringLiteral("CueOpacity1"));
    for (QMenu *menu : {m_menu, m_colours, m_opacities})
        menu->setStyleSheet(parts.menu.styleSheet());
    auto *colours = new QActionGroup(m_colours);
    for (const CueColour &named : cuecolours()) {
        QAction *action = m_colours->addAction(QString());
        action->setCheckable(true);
        action->setData(named.colour);
        colours->addAction(action);
        connect(action, &QAction::triggered, this, [this, colour = named.colour] {
            change([colour](ReadingLine &line) { line.colour = colour; });
        });
    }
    auto *opacities = new QActionGroup(m_opacities);
    for (const int opacity : cueOpacities) {
        QAction *action = m_opacities->addAction(QString());
        action->setCheckable(true);
        action->setData(opacity);
        opacities->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, opacity] { change([opacity](ReadingLine &line) { line.opacity = opacity; }); });
    }
    connect(m_onTalent, &QAction::triggered, this,
            [this](bool on) { change([on](ReadingLine &line) { line.onTalent = on; }); });
    connect(m_arrow, &QAction::triggered, this,
            [this] { change([](ReadingLine &line) { line.style = CueStyle::Arrow; }); });
    connect(m_band, &QAction::triggered, this,
            [this] { change([](ReadingLine &line) { line.style = CueStyle::Band; }); });
    const std::pair<QAction *, double> heightOf[] = {{m_quarter, 0.25}, {m_third, 1.0 / 3}, {m_half, 0.5}};
    for (const auto &[action, height] : heightOf)
        connect(action, &QAction::triggered, this,
                [this, height] { change([height](ReadingLine &line) { line.height = height; }); });

    parts.commands.handle(RemoteAction::ReadingLine, [this](const RemoteCommand &command, CommandSource) {
        const bool on = command.on.value_or(!m_aids.values().readingLine.onPrompter);
        change([on](ReadingLine &line) { line.onPrompter = on; });
        return QString();
    });
    connect(&aids, &ReadingAids::changed, this, &ReadingLineCue::apply);
    connect(&talent, &TalentDisplay::opened, this, &ReadingLineCue::apply);
}

QAction *ReadingLineCue::check(const char *name, QActionGroup *group)
{
    auto *action = m_menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    action->setCheckable(true);
    if (group)
        group->addAction(action);
    return action;
}

void ReadingLineCue::setTexts()
{
    m_menu->setTitle(i18n(str::MenuReadingLine));
    m_onPrompter->setText(i18n(str::MenuCueOnPrompter));
    m_onTalent->setText(i18n(str::MenuCueOnTalent));
    m_arrow->setText(i18n(str::MenuCueArrow));
    m_band->setText(i18n(str::MenuCueBand));
    m_quarter->setText(i18n(str::MenuCueQuarter));
    m_third->setText(i18n(str::MenuCueThird));
    m_half->setText(i18n(str::MenuCueHalf));
    m_colours->setTitle(i18n(str::MenuCueColour));
    m_opacities->setTitle(i18n(str::MenuCueOpacity));
    const QList<QAction *> colours = m_colours->actions();
    for (int i = 0; i < colours.size(); ++i)
        colours.at(i)->setText(i18n(cuecolours().at(i).name));
    for (QAction *action : m_opacities->actions())
        action->setText(i18n(str::PercentValue).arg(action->data().toInt()));
}

void ReadingLineCue::change(const std::function<void(ReadingLine &)> &edit)
{
    m_aids.change([&edit](ReadingAidSettings &aids) { edit(aids.readingLine); });
}

void ReadingLineCue::apply()
{
    const ReadingLine &line = m_aids.values().readingLine;
    // Both pages keep the same gutters, so that they break their lines alike.
    const int gutter = line.onPrompter || line.onTalent ? ReadingLine::gutter : 0;
    m_page.setGutter(gutter);
    m_overlay->setCue(line, line.onPrompter, m_view.upsideDownLocally());
    if (OutputWindow *output = m_talent.window())
        output->setReadingCue(line, line.onTalent, gutter, m_view.upsideDownRemotely());

    m_onPrompter->setChecked(line.onPrompter);
    m_onTalent->setChecked(line.onTalent);
    (line.style == CueStyle::Band ? m_band : m_arrow)->setChecked(true);
    m_quarter->setChecked(qFuzzyCompare(line.height, 0.25));
    m_third->setChecked(qFuzzyCompare(line.height, 1.0 / 3));
    m_half->setChecked(qFuzzyCompare(line.height, 0.5));
    for (QAction *action : m_colours->actions())
        action->setChecked(action->data().value<QColor>() == line.colour);
    for (QAction *action : m_opacities->actions())
        action->setChecked(action->data().toInt() == line.opacity);
}

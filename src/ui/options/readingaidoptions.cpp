#include "ui/options/readingaidoptions.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/engine/countdown.h"
#include "core/engine/readingcue.h"
#include "core/engine/readingestimate.h"
#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QSpinBox *spinBox(const char *name, int minimum, int maximum, QWidget *parent)
{
    auto *box = named(new QSpinBox(parent), name);
    box->setRange(minimum, maximum);
    box->setFixedWidth(64);
    return box;
}

QIcon swatch(const QColor &colour)
{
    QPixmap picture(12, 12);
    picture.fill(colour);
    return QIcon(picture);
}

} // namespace

ReadingAidOptions::ReadingAidOptions(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ReadingAids"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 6, 4, 4);
    column->setSpacing(6);

    auto *line = named(new QGroupBox(i18n(str::ReadingLineOptions), this), "readingline");
    auto *lineForm = new QFormLayout(line);
    lineForm->setContentsMargins(6, 4, 6, 4);
    lineForm->setVerticalSpacing(3);
    cueprompter = named(new QCheckBox(i18n(str::CueOnPrompterOption), line), "cueprompter");
    cuetalent = named(new QCheckBox(i18n(str::CueOnTalentOption), line), "cuetalent");
    lineForm->addRow(cueprompter);
    lineForm->addRow(cuetalent);
    cuestyle = named(new QComboBox(line), "cuestyle");
    cuestyle->addItem(i18n(str::CueArrowOption), int(CueStyle::Arrow));
    cuestyle->addItem(i18n(str::CueBandOption), int(CueStyle::Band));
    lineForm->addRow(i18n(str::CueStyleOption), cuestyle);
    cueheight = spinBox("cueheight", 0, 100, line);
    cueheight->setSuffix(QStringLiteral(" %"));
    lineForm->addRow(i18n(str::CueHeightOption), cueheight);
    cuecolour = named(new QComboBox(line), "cuecolour");
    for (const CueColour &colour : cuecolours())
        cuecolour->addItem(swatch(colour.colour), i18n(colour.name), colour.colour);
    lineForm->addRow(i18n(str::CueColourOption), cuecolour);
    cueopacity = spinBox("cueopacity", ReadingLine::minOpacity, ReadingLine::maxOpacity, line);
    cueopacity->setSuffix(QStringLiteral(" %"));
    lineForm->addRow(i18n(str::CueOpacityOption), cueopacity);
    column->addWidget(line);

    auto *timing = named(new QGroupBox(i18n(str::TimingOptions), this), "timing");
    auto *timingForm = new QFormLayout(timing);
    timingForm->setContentsMargins(6, 4, 6, 4);
    timingForm->setVerticalSpacing(3);
    countdownon = named(new QCheckBox(i18n(str::CountdownOption), timing), "countdownon");
    countdownseconds = spinBox("countdownseconds", Countdown::minSeconds, Countdown::maxSeconds, timing);
    countdownseconds->setSuffix(QStringLiteral(" s"));
    timingForm->addRow(countdownon, countdownseconds);
    readingpace = spinBox("readingpace", ReadingPace::minWpm, ReadingPace::maxWpm, timing);
    readingpace->setSingleStep(10);
    timingForm->addRow(i18n(str::ReadingPaceOption), readingpace);
    talentclocks = named(new QCheckBox(i18n(str::TalentClocksOption), timing), "talentclocks");
    timingForm->addRow(talentclocks);
    flashmessage = named(new QCheckBox(i18n(str::FlashMessageOption), timing), "flashmessage");
    timingForm->addRow(flashmessage);
    column->addWidget(timing);

    auto *markers = named(new QGroupBox(i18n(str::MarkerOptions), this), "markers");
    auto *markersForm = new QFormLayout(markers);
    markersForm->setContentsMargins(6, 4, 6, 4);
    markersForm->setVerticalSpacing(3);
    hidemarkers = named(new QCheckBox(i18n(str::HideMarkersOption), markers), "hidemarkers");
    markersForm->addRow(hidemarkers);
    jumplines =
        spinBox("jumplines", ReadingAidSettings::minJumpLines, ReadingAidSettings::maxJumpLines, markers);
    markersForm->addRow(i18n(str::JumpLinesOption), jumplines);
    column->addWidget(markers);
    column->addStretch();

    connect(readingpace, &QSpinBox::valueChanged, this, &ReadingAidOptions::paceChanged);
    showSettings(ReadingAidSettings{});
}

ReadingAidSettings ReadingAidOptions::values(const ReadingAidSettings &base) const
{
    ReadingAidSettings values = base;
    ReadingLine &line = values.readingLine;
    line.onPrompter = cueprompter->isChecked();
    line.onTalent = cuetalent->isChecked();
    line.style = CueStyle(cuestyle->currentData().toInt());
    // The height stays as it was unless another whole percent was chosen (a third is no whole one).
    if (cueheight->value() != int(std::lround(base.readingLine.height * 100)))
        line.height = cueheight->value() / 100.0;
    line.colour = cuecolour->currentData().value<QColor>();
    line.opacity = cueopacity->value();
    values.countdown = countdownon->isChecked();
    values.countdownSeconds = countdownseconds->value();
    values.wordsPerMinute = readingpace->value();
    values.clocksOnTalent = talentclocks->isChecked();
    values.flashMessages = flashmessage->isChecked();
    values.hideMarkers = hidemarkers->isChecked();
    values.jumpLines = jumplines->value();
    return values;
}

void ReadingAidOptions::showSettings(const ReadingAidSettings &settings)
{
    const ReadingLine &line = settings.readingLine;
    cueprompter->setChecked(line.onPrompter);
    cuetalent->setChecked(line.onTalent);
    cuestyle->setCurrentIndex(cuestyle->findData(int(line.style)));
    cueheight->setValue(int(std::lround(line.height * 100)));
    offerColour(line.colour);
    cuecolour->setCurrentIndex(cuecolour->findData(line.colour));
    cueopacity->setValue(line.opacity);
    countdownon->setChecked(settings.countdown);
    countdownseconds->setValue(settings.countdownSeconds);
    readingpace->setValue(settings.wordsPerMinute);
    talentclocks->setChecked(settings.clocksOnTalent);
    flashmessage->setChecked(settings.flashMessages);
    hidemarkers->setChecked(settings.hideMarkers);
    jumplines->setValue(settings.jumpLines);
}

void ReadingAidOptions::offerColour(const QColor &colour)
{
    if (cuecolour->findData(colour) >= 0)
        return;
    // One such colour at a time: the one the settings hold now.
    if (cuecolour->count() > int(cuecolours().size()))
        cuecolour->removeItem(cuecolour->count() - 1);
    cuecolour->addItem(swatch(colour), colour.name(), colour);
}

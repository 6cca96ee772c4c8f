#include "ui/options/standbyoptions.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

#include "core/platform/translation.h"
#include "stringtable.h"

namespace {
constexpr int takeoverStepMs = 50; // the standby checks its prompter's silence this often
} // namespace

StandbyOptions::StandbyOptions(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Standby"));
    setTitle(i18n(str::StandbyPage));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    standbytakeover = new QSpinBox(this);
    standbytakeover->setObjectName(QStringLiteral("standbytakeover"));
    standbytakeover->setRange(StandbySettings::minTakeoverMs, StandbySettings::maxTakeoverMs);
    standbytakeover->setSingleStep(takeoverStepMs);
    standbytakeover->setSuffix(QStringLiteral(" ms"));
    auto *label = new QLabel(i18n(str::StandbyTakeoverAfter), this);
    label->setBuddy(standbytakeover);
    auto *hint = new QLabel(i18n(str::StandbyTakeoverHint), this);
    hint->setWordWrap(true);
    grid->addWidget(label, 0, 0);
    grid->addWidget(standbytakeover, 0, 1);
    grid->addWidget(hint, 1, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

StandbySettings StandbyOptions::values() const
{
    StandbySettings values;
    values.takeoverMs = standbytakeover->value();
    return values;
}

void StandbyOptions::showSettings(const StandbySettings &settings)
{
    standbytakeover->setValue(settings.takeoverMs);
}

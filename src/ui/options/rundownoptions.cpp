#include "ui/options/rundownoptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QTimeEdit>

#include "core/platform/translation.h"
#include "stringtable.h"

RundownOptions::RundownOptions(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("ContinuousQueue"));
    setTitle(i18n(str::RundownPage));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    continuousqueue = new QCheckBox(i18n(str::RundownContinuousFiles), this);
    continuousqueue->setObjectName(QStringLiteral("continuousqueue"));
    continuousrunningorder = new QCheckBox(i18n(str::RundownContinuousRunningOrder), this);
    continuousrunningorder->setObjectName(QStringLiteral("continuousrunningorder"));
    showendset = new QCheckBox(i18n(str::RundownShowEnd), this);
    showendset->setObjectName(QStringLiteral("showendset"));
    showend = new QTimeEdit(this);
    showend->setObjectName(QStringLiteral("showend"));
    showend->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    showend->setAccessibleName(i18n(str::RundownShowEnd));
    auto *hint = new QLabel(i18n(str::RundownShowEndHint), this);
    hint->setWordWrap(true);
    grid->addWidget(continuousqueue, 0, 0, 1, 2);
    grid->addWidget(continuousrunningorder, 1, 0, 1, 2);
    grid->addWidget(showendset, 2, 0);
    grid->addWidget(showend, 2, 1, Qt::AlignLeft);
    grid->addWidget(hint, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    connect(showendset, &QCheckBox::toggled, showend, &QWidget::setEnabled);
}

RundownSettings RundownOptions::values() const
{
    return {continuousqueue->isChecked(), continuousrunningorder->isChecked()};
}

std::optional<QTime> RundownOptions::showEnd() const
{
    if (!showendset->isChecked())
        return std::nullopt;
    return showend->time();
}

void RundownOptions::showSettings(const RundownSettings &settings, const std::optional<QTime> &end)
{
    continuousqueue->setChecked(settings.continuousQueue);
    continuousrunningorder->setChecked(settings.continuousRunningOrder);
    showendset->setChecked(end.has_value());
    showend->setEnabled(end.has_value());
    showend->setTime(end.value_or(QTime(0, 0)));
}

#include "ui/options/newsroomoptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QSpinBox *portBox(const char *name, QWidget *parent)
{
    auto *box = named(new QSpinBox(parent), name);
    box->setRange(1, 65535);
    box->setFixedWidth(64);
    // A port is typed, not stepped to.
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    return box;
}

} // namespace

NewsroomOptions::NewsroomOptions(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("Newsroom"));
    setTitle(i18n(str::NewsroomSystem));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);

    mosenabled = named(new QCheckBox(i18n(str::NewsroomListen), this), "mosenabled");
    auto *portsLabel = new QLabel(i18n(str::NewsroomPorts), this);
    moslowerport = portBox("moslowerport", this);
    mosupperport = portBox("mosupperport", this);
    for (const auto &[box, hint] :
         {std::pair{moslowerport, str::NewsroomLowerPort}, std::pair{mosupperport, str::NewsroomUpperPort}}) {
        box->setToolTip(i18n(hint));
        // The field inside the box is what screen readers land on.
        if (auto *field = box->findChild<QLineEdit *>())
            field->setAccessibleName(i18n(hint));
    }
    auto *ports = new QHBoxLayout;
    ports->setSpacing(4);
    ports->addWidget(mosenabled);
    ports->addStretch();
    ports->addWidget(portsLabel);
    ports->addWidget(moslowerport);
    ports->addWidget(mosupperport);
    grid->addLayout(ports, 0, 0);

    auto *instructionsLabel = new QLabel(i18n(str::NewsroomInstructions), this);
    mosdimmed = named(new QRadioButton(i18n(str::NewsroomDimmed), this), "mosdimmed");
    moshidden = named(new QRadioButton(i18n(str::NewsroomHidden), this), "moshidden");
    instructionsLabel->setBuddy(mosdimmed);
    auto *choice = new QButtonGroup(this);
    choice->addButton(mosdimmed);
    choice->addButton(moshidden);
    auto *instructions = new QHBoxLayout;
    instructions->setSpacing(6);
    instructions->addWidget(instructionsLabel);
    instructions->addWidget(mosdimmed);
    instructions->addWidget(moshidden);
    instructions->addStretch();
    grid->addLayout(instructions, 1, 0);

    mosstatus = named(new QLabel(this), "mosstatus");
    mosstatus->setWordWrap(true);
    grid->addWidget(mosstatus, 2, 0);
    showSettings(NewsroomSettings{});
}

NewsroomSettings NewsroomOptions::values(const NewsroomSettings &base) const
{
    NewsroomSettings values = base;
    values.enabled = mosenabled->isChecked();
    values.lowerPort = moslowerport->value();
    values.upperPort = mosupperport->value();
    values.hideInstructions = moshidden->isChecked();
    return values;
}

void NewsroomOptions::showSettings(const NewsroomSettings &settings)
{
    mosenabled->setChecked(settings.enabled);
    moslowerport->setValue(settings.lowerPort);
    mosupperport->setValue(settings.upperPort);
    (settings.hideInstructions ? moshidden : mosdimmed)->setChecked(true);
}

void NewsroomOptions::setStatus(const QString &text)
{
    mosstatus->setText(text);
}

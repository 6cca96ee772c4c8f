#include "ui/options/remoteoptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>

#include "core/platform/translation.h"
#include "core/remote/qrsymbol.h"
#include "stringtable.h"

namespace {

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Big enough for a phone's camera at arm's length, small enough for the options window.
constexpr int qrModulePixels = 3;

} // namespace

RemoteOptions::RemoteOptions(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("RemoteControl"));
    setTitle(i18n(str::RemoteControl));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);

    remoteenabled = named(new QCheckBox(i18n(str::RemoteEnabled), this), "remoteenabled");
    auto *portLabel = new QLabel(i18n(str::RemotePort), this);
    remoteport = named(new QSpinBox(this), "remoteport");
    remoteport->setRange(1, 65535);
    remoteport->setFixedWidth(64);
    remoteport->setButtonSymbols(QAbstractSpinBox::NoButtons);
    portLabel->setBuddy(remoteport);
    if (auto *field = remoteport->findChild<QLineEdit *>())
        field->setAccessibleName(i18n(str::RemotePort));
    auto *oscLabel = new QLabel(i18n(str::RemoteOscPort), this);
    remoteoscport = named(new QSpinBox(this), "remoteoscport");
    remoteoscport->setRange(1, 65535);
    remoteoscport->setFixedWidth(64);
    remoteoscport->setButtonSymbols(QAbstractSpinBox::NoButtons);
    oscLabel->setBuddy(remoteoscport);
    if (auto *field = remoteoscport->findChild<QLineEdit *>())
        field->setAccessibleName(i18n(str::RemoteOscPort));
    auto *first = new QHBoxLayout;
    first->setSpacing(4);
    first->addWidget(remoteenabled);
    first->addStretch();
    first->addWidget(portLabel);
    first->addWidget(remoteport);
    first->addSpacing(8);
    first->addWidget(oscLabel);
    first->addWidget(remoteoscport);
    grid->addLayout(first, 0, 0, 1, 2);

    remotenetwork = named(new QCheckBox(i18n(str::RemoteAllowNetwork), this), "remotenetwork");
    grid->addWidget(remotenetwork, 1, 0, 1, 2);

    remotestatus = named(new QLabel(this), "remotestatus");
    remotestatus->setWordWrap(true);
    remotestatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    remotenewtoken = named(new QPushButton(i18n(str::RemoteNewToken), this), "remotenewtoken");
    // Enter stays the window's Ok: a new token shuts every device out and is asked for by a click.
    remotenewtoken->setAutoDefault(false);
    remotemidi = named(new QPushButton(i18n(str::RemoteMidi), this), "remotemidi");
    remotemidi->setAutoDefault(false);
    remotecontrollers = named(new QPushButton(i18n(str::RemoteControllers), this), "remotecontrollers");
    remotecontrollers->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(remotenewtoken);
    buttons->addWidget(remotemidi);
    buttons->addWidget(remotecontrollers);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(remotestatus);
    left->addLayout(buttons);
    left->addStretch();
    grid->addLayout(left, 2, 0);
    remoteqr = named(new QLabel(this), "remoteqr");
    grid->addWidget(remoteqr, 2, 1, Qt::AlignRight | Qt::AlignTop);
    grid->setColumnStretch(0, 1);
    connect(remotenewtoken, &QPushButton::clicked, this, &RemoteOptions::newTokenWanted);
    connect(remotemidi, &QPushButton::clicked, this, &RemoteOptions::midiWanted);
    connect(remotecontrollers, &QPushButton::clicked, this, &RemoteOptions::controllersWanted);
    showSettings(RemoteSettings{});
    setStatus(i18n(str::RemoteOff), {});
}

RemoteSettings RemoteOptions::values(const RemoteSettings &base) const
{
    RemoteSettings values = base;
    values.enabled = remoteenabled->isChecked();
    values.port = remoteport->value();
    values.oscPort = remoteoscport->value();
    values.allowNetwork = remotenetwork->isChecked();
    return values;
}

void RemoteOptions::showSettings(const RemoteSettings &settings)
{
    remoteenabled->setChecked(settings.enabled);
    remoteport->setValue(settings.port);
    remoteoscport->setValue(settings.oscPort);
    remotenetwork->setChecked(settings.allowNetwork);
}

void RemoteOptions::setStatus(const QString &text, const QString &address)
{
    remotestatus->setText(text);
    remotenewtoken->setVisible(!address.isEmpty() && address.contains(QLatin1String("token=")));
    const QImage symbol = address.isEmpty() ? QImage() : qrsymbol(address, qrModulePixels);
    remoteqr->setPixmap(QPixmap::fromImage(symbol));
    remoteqr->setVisible(!symbol.isNull());
}

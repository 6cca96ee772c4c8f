#include "ui/options/controllersdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/controllers/controllerdefaults.h"
#include "core/controllers/controllerremote.h"
#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString deviceName(const ControllerDevice &device)
{
    return device == anygamepad() ? i18n(str::ControllerAnyGamePad) : device.name;
}

// What a binding's setting column says: how an axis answers, or how far a dial's step goes.
QString settingText(const ControllerBinding &binding)
{
    if (binding.command == QLatin1String("jump-lines"))
        return i18n(str::DialLinesSetting).arg(binding.lines);
    if (binding.command != QLatin1String("speed"))
        return {};
    const AxisResponse &axis = binding.axis;
    QStringList parts{
        i18n(axis.mode == AxisResponse::Mode::CentreStop ? str::AxisCentreStopSetting
                                                         : str::AxisEndStopSetting),
        i18n(axis.curve == AxisResponse::Curve::Linear ? str::AxisLinear : str::AxisExponential),
        i18n(str::AxisDeadZoneSetting).arg(axis.deadZone), i18n(str::AxisTopSpeedSetting).arg(axis.topSpeed)};
    if (axis.reversed)
        parts << i18n(str::AxisReversed).toLower();
    return parts.join(QStringLiteral(", "));
}

QStringList allCommands()
{
    QStringList commands = ControllerBindings::bindableCommands(ControllerControl::Kind::Axis);
    commands.insert(1, QStringLiteral("jump-lines"));
    return commands;
}

} // namespace

ControllersDialog::ControllersDialog(ControllerRemote *remote, QWidget *parent)
    : QDialog(parent), m_remote(remote), m_map(remote->map())
{
    setObjectName(QStringLiteral("Controllers"));
    setWindowTitle(i18n(str::ControllersCaption));
    auto *layout = new QVBoxLayout(this);
    controllersenabled = named(new QCheckBox(i18n(str::ControllersEnabled), this), "controllersenabled");
    controllersenabled->setChecked(remote->settings().enabled);
    layout->addWidget(controllersenabled);
    controllersstatus = named(new QLabel(remote->status(), this), "controllersstatus");
    controllersstatus->setWordWrap(true);
    layout->addWidget(controllersstatus);

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *devicesLabel = new QLabel(i18n(str::ControllerDevices), this);
    controllersdevices = named(new QListWidget(this), "controllersdevices");
    devicesLabel->setBuddy(controllersdevices);
    left->addWidget(devicesLabel);
    left->addWidget(controllersdevices);
    controllersdevices->setMinimumWidth(260);
    columns->addLayout(left, 3);

    auto *right = new QVBoxLayout;
    controllerbindings = named(new QTreeWidget(this), "controllerbindings");
    controllerbindings->setRootIsDecorated(false);
    controllerbindings->setHeaderLabels({i18n(str::ControllerControlColumn),
                                         i18n(str::ControllerCommandColumn),
                                         i18n(str::ControllerSettingColumn)});
    controllerbindings->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    right->addWidget(controllerbindings);
    auto *row = new QHBoxLayout;
    controllercommand = named(new QComboBox(this), "controllercommand");
    controllercommand->addItems(allCommands());
    controllercommand->setAccessibleName(i18n(str::ControllerCommandColumn));
    controllerlearn = named(new QPushButton(i18n(str::ControllerLearn), this), "controllerlearn");
    controllerlearn->setCheckable(true);
    controllerlearn->setAutoDefault(false);
    controllerremove = named(new QPushButton(i18n(str::ControllerRemove), this), "controllerremove");
    controllerremove->setAutoDefault(false);
    controllerdefaults = named(new QPushButton(i18n(str::ControllerDefaults), this), "controllerdefaults");
    controllerdefaults->setAutoDefault(false);
    row->addWidget(controllercommand, 1);
    row->addWidget(controllerlearn);
    row->addWidget(controllerremove);
    row->addWidget(controllerdefaults);
    right->addLayout(row);
    auto *settings = new QGridLayout;
    createSettings(settings);
    right->addLayout(settings);
    right->setStretch(0, 1);
    columns->addLayout(right, 5);
    layout->addLayout(columns, 1);

    controllersmoved = named(new QLabel(this), "controllersmoved");
    layout->addWidget(controllersmoved);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(i18n(str::Ok));
    buttons->button(QDialogButtonBox::Cancel)->setText(i18n(str::Cancel));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // Listening starts or stops at once, so that controls can be learned; Cancel undoes it.
    connect(controllersenabled, &QCheckBox::toggled, this, [this] {
        ControllerSettings listening = m_remote->settings();
        listening.enabled = controllersenabled->isChecked();
        m_remote->apply(listening);
    });
    connect(controllerlearn, &QPushButton::toggled, this, [this](bool learning) {
        m_remote->setLearning(learning);
        m_learner.restart();
        controllersstatus->setText(
            learning ? i18n(str::ControllerMoveAControl).arg(controllercommand->currentText())
                     : m_remote->status());
    });
    connect(controllerremove, &QPushButton::clicked, this, [this] {
        const std::optional<ControllerDevice> device = chosenDevice();
        const std::optional<ControllerBinding> binding = chosenBinding();
        if (!device || !binding)
            return;
        ControllerBindings bindings = m_map.bindingsFor(*device);
        bindings.forget(binding->control);
        m_map.setBindings(*device, bindings);
        showBindings();
    });
    connect(controllerdefaults, &QPushButton::clicked, this, [this] {
        if (const std::optional<ControllerDevice> device = chosenDevice()) {
            m_map.restoreDefaults(*device);
            showBindings();
        }
    });
    connect(controllersdevices, &QListWidget::currentRowChanged, this, &ControllersDialog::showBindings);
    connect(controllerbindings, &QTreeWidget::currentItemChanged, this, &ControllersDialog::showBinding);
    connect(remote, &ControllerRemote::eventReceived, this, &ControllersDialog::heard);
    connect(remote, &ControllerRemote::devicesChanged, this, [this] {
        showDevices();
        if (!controllerlearn->isChecked())
            controllersstatus->setText(m_remote->status());
    });
    showDevices();
    resize(820, 520);
}

ControllersDialog::~ControllersDialog()
{
    m_remote->setLearning(false);
}

void ControllersDialog::createSettings(QGridLayout *grid)
{
    axisstop = named(new QComboBox(this), "axisstop");
    axisstop->addItems({i18n(str::AxisCentreStop), i18n(str::AxisEndStop)});
    axiscurve = named(new QComboBox(this), "axiscurve");
    axiscurve->addItems({i18n(str::AxisLinear), i18n(str::AxisExponential)});
    axisdeadzone = named(new QSpinBox(this), "axisdeadzone");
    axisdeadzone->setRange(0, AxisResponse::maxDeadZone);
    axisdeadzone->setSuffix(QStringLiteral(" %"));
    axistopspeed = named(new QSpinBox(this), "axistopspeed");
    axistopspeed->setRange(AxisResponse::minTopSpeed, 300);
    axistopspeed->setSingleStep(10);
    axisreversed = named(new QCheckBox(i18n(str::AxisReversed), this), "axisreversed");
    diallines = named(new QSpinBox(this), "diallines");
    diallines->setRange(1, ControllerBinding::maxLinesPerStep);
    // Two pairs of label and field a row: the settings stay below the bindings, which get the room.
    const auto place = [this, grid](const char *label, QWidget *field, int row, int column) {
        auto *shown = new QLabel(i18n(label), this);
        shown->setBuddy(field);
        grid->addWidget(shown, row, column * 2);
        grid->addWidget(field, row, column * 2 + 1);
    };
    place(str::AxisStop, axisstop, 0, 0);
    place(str::AxisCurve, axiscurve, 0, 1);
    place(str::AxisDeadZone, axisdeadzone, 1, 0);
    place(str::AxisTopSpeed, axistopspeed, 1, 1);
    grid->addWidget(axisreversed, 2, 1);
    place(str::DialLines, diallines, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    const auto axisChange = [this](std::function<void(AxisResponse &)> change) {
        return [this, change] {
            if (!m_showing)
                changeBinding([&change](ControllerBinding &binding) { change(binding.axis); });
        };
    };
    connect(axisstop, &QComboBox::currentIndexChanged, this, axisChange([this](AxisResponse &axis) {
                axis.mode = axisstop->currentIndex() == 0 ? AxisResponse::Mode::CentreStop
                                                          : AxisResponse::Mode::EndStop;
            }));
    connect(axiscurve, &QComboBox::currentIndexChanged, this, axisChange([this](AxisResponse &axis) {
                axis.curve = axiscurve->currentIndex() == 0 ? AxisResponse::Curve::Linear
                                                            : AxisResponse::Curve::Exponential;
            }));
    connect(axisdeadzone, &QSpinBox::valueChanged, this,
            axisChange([this](AxisResponse &axis) { axis.deadZone = axisdeadzone->value(); }));
    connect(axistopspeed, &QSpinBox::valueChanged, this,
            axisChange([this](AxisResponse &axis) { axis.topSpeed = axistopspeed->value(); }));
    connect(axisreversed, &QCheckBox::toggled, this,
            axisChange([this](AxisResponse &axis) { axis.reversed = axisreversed->isChecked(); }));
    connect(diallines, &QSpinBox::valueChanged, this, [this] {
        if (!m_showing)
            changeBinding([this](ControllerBinding &binding) { binding.lines = diallines->value(); });
    });
}

void ControllersDialog::showDevices()
{
    const QString chosen = controllersdevices->currentItem()
                               ? controllersdevices->currentItem()->data(Qt::UserRole).toString()
                               : QString();
    QList<ControllerDevice> connected;
    for (const ControllerDevice &device : m_remote->devices())
        if (!connected.contains(device))
            connected << device;
    QList<ControllerDevice> shown = connected;
    for (const ControllerDevice &device :
         m_map.boundDevices() + QList<ControllerDevice>{anygamepad(), shuttlexpress()})
        if (!shown.contains(device))
            shown << device;
    const QSignalBlocker quiet(controllersdevices);
    controllersdevices->clear();
    for (const ControllerDevice &device : shown) {
        const bool present = connected.contains(device) || device == anygamepad();
        auto *item = new QListWidgetItem(present ? deviceName(device)
                                                 : i18n(str::ControllerNotConnected).arg(deviceName(device)),
                                         controllersdevices);
        item->setData(Qt::UserRole, device.key());
        if (device.key() == chosen)
            controllersdevices->setCurrentItem(item);
    }
    if (!controllersdevices->currentItem())
        controllersdevices->setCurrentRow(0);
    showBindings();
}

std::optional<ControllerDevice> ControllersDialog::chosenDevice() const
{
    const QListWidgetItem *item = controllersdevices->currentItem();
    return item ? ControllerDevice::fromKey(item->data(Qt::UserRole).toString()) : std::nullopt;
}

std::optional<ControllerBinding> ControllersDialog::chosenBinding() const
{
    const std::optional<ControllerDevice> device = chosenDevice();
    const QTreeWidgetItem *item = controllerbindings->currentItem();
    if (!device || !item)
        return std::nullopt;
    const std::optional<ControllerControl> control =
        controllercontrolfromkey(item->data(0, Qt::UserRole).toString());
    const ControllerBindings bindings = m_map.bindingsFor(*device);
    const ControllerBinding *binding = control ? bindings.bindingFor(*control) : nullptr;
    return binding ? std::optional<ControllerBinding>(*binding) : std::nullopt;
}

void ControllersDialog::showBindings()
{
    const QString chosen = controllerbindings->currentItem()
                               ? controllerbindings->currentItem()->data(0, Qt::UserRole).toString()
                               : QString();
    {
        const QSignalBlocker quiet(controllerbindings);
        controllerbindings->clear();
        if (const std::optional<ControllerDevice> device = chosenDevice()) {
            const ControllerBindings bindings = m_map.bindingsFor(*device);
            for (const ControllerBinding &binding : bindings.bindings()) {
                auto *item = new QTreeWidgetItem(
                    {controllercontrolname(binding.control), binding.command, settingText(binding)});
                item->setData(0, Qt::UserRole, controllercontrolkey(binding.control));
                // The setting in full, where the column is too narrow for it.
                item->setToolTip(2, item->text(2));
                controllerbindings->addTopLevelItem(item);
                if (item->data(0, Qt::UserRole).toString() == chosen)
                    controllerbindings->setCurrentItem(item);
            }
        }
    }
    if (!controllerbindings->currentItem() && controllerbindings->topLevelItemCount() > 0)
        controllerbindings->setCurrentItem(controllerbindings->topLevelItem(0));
    controllerremove->setEnabled(controllerbindings->topLevelItemCount() > 0);
    const std::optional<ControllerDevice> device = chosenDevice();
    controllerdefaults->setEnabled(device && m_map.isBound(*device));
    showBinding();
}

void ControllersDialog::showBinding()
{
    const std::optional<ControllerBinding> binding = chosenBinding();
    const bool speed = binding && binding->command == QLatin1String("speed");
    const bool lines = binding && binding->command == QLatin1String("jump-lines");
    m_showing = true;
    for (QWidget *axisSetting : {static_cast<QWidget *>(axisstop), static_cast<QWidget *>(axiscurve),
                                 static_cast<QWidget *>(axisdeadzone), static_cast<QWidget *>(axistopspeed),
                                 static_cast<QWidget *>(axisreversed)})
        axisSetting->setEnabled(speed);
    diallines->setEnabled(lines);
    const AxisResponse axis = speed ? binding->axis : AxisResponse();
    axisstop->setCurrentIndex(axis.mode == AxisResponse::Mode::CentreStop ? 0 : 1);
    axiscurve->setCurrentIndex(axis.curve == AxisResponse::Curve::Linear ? 0 : 1);
    axisdeadzone->setValue(axis.deadZone);
    axistopspeed->setValue(axis.topSpeed);
    axisreversed->setChecked(axis.reversed);
    diallines->setValue(lines ? binding->lines : 1);
    m_showing = false;
}

void ControllersDialog::changeBinding(const std::function<void(ControllerBinding &)> &change)
{
    const std::optional<ControllerDevice> device = chosenDevice();
    const std::optional<ControllerBinding> chosen = chosenBinding();
    if (!device || !chosen)
        return;
    ControllerBinding changed = *chosen;
    change(changed);
    ControllerBindings bindings = m_map.bindingsFor(*device);
    bindings.bind(changed);
    m_map.setBindings(*device, bindings);
    if (QTreeWidgetItem *item = controllerbindings->currentItem()) {
        item->setText(2, settingText(changed));
        item->setToolTip(2, item->text(2));
    }
    controllerdefaults->setEnabled(true);
}

void ControllersDialog::heard(const ControllerEvent &event)
{
    if (!event.initial)
        if (const std::optional<ControllerDevice> device = ControllerDevice::fromKey(event.device))
            controllersmoved->setText(
                i18n(str::ControllerMoved).arg(controllercontrolname(event.control), device->name));
    if (controllerlearn->isChecked())
        if (const std::optional<ControllerEvent> chosen = m_learner.observe(event))
            learned(*chosen);
}

void ControllersDialog::learned(const ControllerEvent &event)
{
    const std::optional<ControllerDevice> device = ControllerDevice::fromKey(event.device);
    if (!device)
        return;
    ControllerBinding binding;
    binding.control = event.control;
    binding.command = controllercommand->currentText();
    // A control does what it can: an axis asked to jump by lines sets the speed, a dial
    // always jumps by lines; a button cannot set the speed, and learning waits for another.
    const QStringList bindable = ControllerBindings::bindableCommands(event.control.kind);
    if (!bindable.contains(binding.command)) {
        if (event.control.kind == ControllerControl::Kind::Button)
            return;
        binding.command = bindable.constFirst();
    }
    if (binding.command == QLatin1String("speed"))
        binding.axis = ControlLearner::responseFor(m_learner.restOf(event));
    ControllerBindings bindings = m_map.bindingsFor(*device);
    bindings.bind(binding);
    m_map.setBindings(*device, bindings);
    controllerlearn->setChecked(false);
    showDevices();
    for (int row = 0; row < controllersdevices->count(); ++row)
        if (controllersdevices->item(row)->data(Qt::UserRole).toString() == device->key())
            controllersdevices->setCurrentRow(row);
    for (int row = 0; row < controllerbindings->topLevelItemCount(); ++row)
        if (controllerbindings->topLevelItem(row)->data(0, Qt::UserRole).toString() ==
            controllercontrolkey(binding.control))
            controllerbindings->setCurrentItem(controllerbindings->topLevelItem(row));
    controllersstatus->setText(
        i18n(str::ControllerBound)
            .arg(controllercontrolname(binding.control), device->name, binding.command));
}

ControllerSettings ControllersDialog::values() const
{
    return ControllerSettings{controllersenabled->isChecked(), m_map.entries()};
}

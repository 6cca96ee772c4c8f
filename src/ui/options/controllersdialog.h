#pragma once

#include <functional>
#include <optional>

#include <QDialog>

#include "core/controllers/controllearner.h"
#include "core/controllers/controllermap.h"
#include "core/settings/controllersettings.h"

class ControllerRemote;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// The controllers' window: the devices found (and those bound before, and the defaults for any
// game pad and the ShuttleXpress), what each control of the chosen device does, and how an axis
// on the speed answers. The operator picks a command, clicks Learn and presses or moves a control
// of any device; the list shows it bound. Ok keeps it.
class ControllersDialog : public QDialog {
    Q_OBJECT
public:
    ControllersDialog(ControllerRemote *remote, QWidget *parent = nullptr);
    ~ControllersDialog() override;

    QCheckBox *controllersenabled, *axisreversed;
    QLabel *controllersstatus, *controllersmoved;
    QListWidget *controllersdevices;
    QTreeWidget *controllerbindings;
    QComboBox *controllercommand, *axisstop, *axiscurve;
    QPushButton *controllerlearn, *controllerremove, *controllerdefaults;
    QSpinBox *axisdeadzone, *axistopspeed, *diallines;

    // The settings as the window shows them.
    ControllerSettings values() const;

private:
    void createSettings(QGridLayout *grid);
    void showDevices();
    void showBindings();
    void showBinding();
    void heard(const ControllerEvent &event);
    void learned(const ControllerEvent &event);
    // The chosen device's binding of the chosen row changed as `change` says.
    void changeBinding(const std::function<void(ControllerBinding &)> &change);
    std::optional<ControllerDevice> chosenDevice() const;
    std::optional<ControllerBinding> chosenBinding() const;

    ControllerRemote *m_remote;
    ControllerMap m_map;
    ControlLearner m_learner;
    bool m_showing = false; // the settings' controls are being filled, not changed
};

#pragma once

#include <QGroupBox>

#include "core/settings/remotesettings.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The options window's group for remote controls: whether the prompter listens for them, on
// which port, whether devices on the network may reach it, and the address with its QR code
// that a phone opens.
class RemoteOptions : public QGroupBox {
    Q_OBJECT
public:
    explicit RemoteOptions(QWidget *parent = nullptr);

    QCheckBox *remoteenabled, *remotenetwork;
    QSpinBox *remoteport, *remoteoscport;
    QPushButton *remotenewtoken, *remotemidi, *remotecontrollers;
    QLabel *remotestatus, *remoteqr;

    // The settings as the controls show them; what the controls do not show comes from `base`.
    RemoteSettings values(const RemoteSettings &base) const;
    void showSettings(const RemoteSettings &settings);
    // Where the server is reached (empty when it is not listening), with a line about it.
    void setStatus(const QString &text, const QString &address);

signals:
    void newTokenWanted();
    void midiWanted();
    void controllersWanted();
};

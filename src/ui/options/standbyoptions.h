#pragma once

#include <QGroupBox>

#include "core/settings/standbysettings.h"

class QSpinBox;

// The options window's group for a standby prompter: how long its prompter may be silent before
// it takes the show over.
class StandbyOptions : public QGroupBox {
    Q_OBJECT
public:
    explicit StandbyOptions(QWidget *parent = nullptr);

    QSpinBox *standbytakeover;

    StandbySettings values() const;
    void showSettings(const StandbySettings &settings);
};

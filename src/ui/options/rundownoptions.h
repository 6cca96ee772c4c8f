#pragma once

#include <optional>

#include <QGroupBox>
#include <QTime>

#include "core/settings/rundownsettings.h"

class QCheckBox;
class QTimeEdit;

// The options window's group for the continuous queue: one page for a queue of script files, one
// page for the newsroom's running order, and the show's planned end for the over/under.
class RundownOptions : public QGroupBox {
    Q_OBJECT
public:
    explicit RundownOptions(QWidget *parent = nullptr);

    QCheckBox *continuousqueue;
    QCheckBox *continuousrunningorder;
    QCheckBox *showendset;
    QTimeEdit *showend;

    RundownSettings values() const;
    // The planned end chosen; none when the box is not ticked.
    std::optional<QTime> showEnd() const;
    void showSettings(const RundownSettings &settings, const std::optional<QTime> &end);
};

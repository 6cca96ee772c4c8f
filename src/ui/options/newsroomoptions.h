#pragma once

#include <QGroupBox>

#include "core/settings/newsroomsettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// The options window's group for the newsroom system: whether the prompter listens for it, on
// which two ports, whether the stories' instructions are dimmed or hidden, whom it takes messages
// from (its MOS ID, the newsroom system's NCS ID, the allowed addresses), and how the connection
// stands.
class NewsroomOptions : public QGroupBox {
    Q_OBJECT
public:
    explicit NewsroomOptions(QWidget *parent = nullptr);

    QCheckBox *mosenabled;
    QSpinBox *moslowerport, *mosupperport;
    QRadioButton *mosdimmed, *moshidden;
    QLineEdit *mosdeviceid, *mosncsid, *mosallowed;
    QLabel *mosstatus;

    // The settings as the controls show them; what the controls do not show comes from `base`.
    NewsroomSettings values(const NewsroomSettings &base) const;
    void showSettings(const NewsroomSettings &settings);
    void setStatus(const QString &text);

private:
    // Allowed addresses that are not addresses show in red while they are typed.
    void checkAddresses();
};

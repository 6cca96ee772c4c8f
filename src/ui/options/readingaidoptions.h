#pragma once

#include <QWidget>

#include "core/settings/readingaidsettings.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

// The options window's page of reading aids: the reading line on each display with its style,
// height, colour and opacity; the countdown; the reading pace of the time estimates; how markers
// show and how far a line jump goes; the clocks and the message on the talent display.
class ReadingAidOptions : public QWidget {
    Q_OBJECT
public:
    explicit ReadingAidOptions(QWidget *parent = nullptr);

    QCheckBox *cueprompter, *cuetalent, *countdownon, *hidemarkers, *talentclocks, *flashmessage;
    QComboBox *cuestyle, *cuecolour;
    QSpinBox *cueheight, *cueopacity, *countdownseconds, *readingpace, *jumplines;

    // The settings as the controls show them; what the controls do not show comes from `base`.
    ReadingAidSettings values(const ReadingAidSettings &base) const;
    void showSettings(const ReadingAidSettings &settings);

signals:
    // The reading pace shown changed (the queue's estimates follow it before Ok).
    void paceChanged(int wordsPerMinute);

private:
    // A colour that is none of the named ones (set in the settings file) is offered as itself.
    void offerColour(const QColor &colour);
};

#include "core/settings/readingaidsettings.h"

#include <QSettings>

#include "core/engine/countdown.h"
#include "core/engine/readingestimate.h"

namespace {
const QString group = QStringLiteral("ReadingAids");
} // namespace

ReadingAidSettings readreadingaids(QSettings &settings)
{
    ReadingAidSettings values;
    settings.beginGroup(group);
    values.hideMarkers = settings.value(QStringLiteral("HideMarkers"), values.hideMarkers).toBool();
    bool ok = false;
    const int lines = settings.value(QStringLiteral("JumpLines")).toInt(&ok);
    if (ok && lines >= ReadingAidSettings::minJumpLines && lines <= ReadingAidSettings::maxJumpLines)
        values.jumpLines = lines;
    ReadingLine &line = values.readingLine;
    line.onPrompter = settings.value(QStringLiteral("CueOnPrompter"), line.onPrompter).toBool();
    line.onTalent = settings.value(QStringLiteral("CueOnTalent"), line.onTalent).toBool();
    const double height = settings.value(QStringLiteral("CueHeight")).toDouble(&ok);
    if (ok && height >= 0 && height <= 1)
        line.height = height;
    if (settings.value(QStringLiteral("CueStyle")).toString() == QLatin1String("band"))
        line.style = CueStyle::Band;
    const QColor colour(settings.value(QStringLiteral("CueColour")).toString());
    if (colour.isValid())
        line.colour = colour;
    const int opacity = settings.value(QStringLiteral("CueOpacity")).toInt(&ok);
    if (ok && opacity >= ReadingLine::minOpacity && opacity <= ReadingLine::maxOpacity)
        line.opacity = opacity;
    values.countdown = settings.value(QStringLiteral("Countdown"), values.countdown).toBool();
    const int seconds = settings.value(QStringLiteral("CountdownSeconds")).toInt(&ok);
    if (ok && seconds >= Countdown::minSeconds && seconds <= Countdown::maxSeconds)
        values.countdownSeconds = seconds;
    values.clocksOnTalent = settings.value(QStringLiteral("ClocksOnTalent"), values.clocksOnTalent).toBool();
    const int wpm = settings.value(QStringLiteral("WordsPerMinute")).toInt(&ok);
    if (ok && wpm >= ReadingPace::minWpm && wpm <= ReadingPace::maxWpm)
        values.wordsPerMinute = wpm;
    values.flashMessages = settings.value(QStringLiteral("FlashMessages"), values.flashMessages).toBool();
    settings.endGroup();
    return values;
}

void writereadingaids(QSettings &settings, const ReadingAidSettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("HideMarkers"), values.hideMarkers);
    settings.setValue(QStringLiteral("JumpLines"), values.jumpLines);
    const ReadingLine &line = values.readingLine;
    settings.setValue(QStringLiteral("CueOnPrompter"), line.onPrompter);
    settings.setValue(QStringLiteral("CueOnTalent"), line.onTalent);
    settings.setValue(QStringLiteral("CueHeight"), line.height);
    settings.setValue(QStringLiteral("CueStyle"),
                      line.style == CueStyle::Band ? QStringLiteral("band") : QStringLiteral("arrow"));
    settings.setValue(QStringLiteral("CueColour"), line.colour.name());
    settings.setValue(QStringLiteral("CueOpacity"), line.opacity);
    settings.setValue(QStringLiteral("Countdown"), values.countdown);
    settings.setValue(QStringLiteral("CountdownSeconds"), values.countdownSeconds);
    settings.setValue(QStringLiteral("ClocksOnTalent"), values.clocksOnTalent);
    settings.setValue(QStringLiteral("WordsPerMinute"), values.wordsPerMinute);
    settings.setValue(QStringLiteral("FlashMessages"), values.flashMessages);
    settings.endGroup();
}

#include "core/remote/readingaidsmessage.h"

#include <cmath>

#include <QColor>

#include "core/engine/countdown.h"
#include "core/engine/readingestimate.h"

QJsonObject readingaidsmessage(const ReadingAidSettings &values)
{
    const ReadingLine &line = values.readingLine;
    return QJsonObject{
        {QStringLiteral("hideMarkers"), values.hideMarkers},
        {QStringLiteral("jumpLines"), values.jumpLines},
        {QStringLiteral("readingLine"),
         QJsonObject{{QStringLiteral("onPrompter"), line.onPrompter},
                     {QStringLiteral("onTalent"), line.onTalent},
                     {QStringLiteral("height"), line.height},
                     {QStringLiteral("style"),
                      line.style == CueStyle::Band ? QStringLiteral("band") : QStringLiteral("arrow")},
                     {QStringLiteral("colour"), line.colour.name()},
                     {QStringLiteral("opacity"), line.opacity}}},
        {QStringLiteral("countdown"), values.countdown},
        {QStringLiteral("countdownSeconds"), values.countdownSeconds},
        {QStringLiteral("clocksOnTalent"), values.clocksOnTalent},
        {QStringLiteral("wordsPerMinute"), values.wordsPerMinute},
        {QStringLiteral("flashMessages"), values.flashMessages},
    };
}

namespace {

// Longer than any colour's name ("#rrggbb"): refused before it is parsed.
constexpr qsizetype longestColourName = 32;

std::optional<bool> flag(const QJsonObject &message, const char *name)
{
    const QJsonValue value = message.value(QLatin1String(name));
    return value.isBool() ? std::optional<bool>(value.toBool()) : std::nullopt;
}

std::optional<double> number(const QJsonObject &message, const char *name, double low, double high)
{
    const QJsonValue value = message.value(QLatin1String(name));
    if (!value.isDouble())
        return std::nullopt;
    const double read = value.toDouble();
    return std::isfinite(read) && read >= low && read <= high ? std::optional<double>(read) : std::nullopt;
}

std::optional<int> whole(const QJsonObject &message, const char *name, int low, int high)
{
    const std::optional<double> read = number(message, name, low, high);
    return read && *read == std::floor(*read) ? std::optional<int>(int(*read)) : std::nullopt;
}

std::optional<ReadingLine> readingline(const QJsonValue &message)
{
    if (!message.isObject())
        return std::nullopt;
    const QJsonObject object = message.toObject();
    const std::optional<bool> onPrompter = flag(object, "onPrompter");
    const std::optional<bool> onTalent = flag(object, "onTalent");
    const std::optional<double> height = number(object, "height", 0, 1);
    const QString style = object.value(QLatin1String("style")).toString();
    const QString colourName = object.value(QLatin1String("colour")).toString();
    const std::optional<int> opacity =
        whole(object, "opacity", ReadingLine::minOpacity, ReadingLine::maxOpacity);
    if (!onPrompter || !onTalent || !height || !opacity || colourName.size() > longestColourName ||
        (style != QLatin1String("arrow") && style != QLatin1String("band")))
        return std::nullopt;
    const QColor colour(colourName);
    if (!colour.isValid())
        return std::nullopt;
    ReadingLine line;
    line.onPrompter = *onPrompter;
    line.onTalent = *onTalent;
    line.height = *height;
    line.style = style == QLatin1String("band") ? CueStyle::Band : CueStyle::Arrow;
    line.colour = colour;
    line.opacity = *opacity;
    return line;
}

} // namespace

std::optional<ReadingAidSettings> readingaidsfrommessage(const QJsonValue &message)
{
    if (!message.isObject())
        return std::nullopt;
    const QJsonObject object = message.toObject();
    const std::optional<bool> hideMarkers = flag(object, "hideMarkers");
    const std::optional<int> jumpLines =
        whole(object, "jumpLines", ReadingAidSettings::minJumpLines, ReadingAidSettings::maxJumpLines);
    const std::optional<ReadingLine> line = readingline(object.value(QLatin1String("readingLine")));
    const std::optional<bool> countdown = flag(object, "countdown");
    const std::optional<int> seconds =
        whole(object, "countdownSeconds", Countdown::minSeconds, Countdown::maxSeconds);
    const std::optional<bool> clocksOnTalent = flag(object, "clocksOnTalent");
    const std::optional<int> wpm = whole(object, "wordsPerMinute", ReadingPace::minWpm, ReadingPace::maxWpm);
    const std::optional<bool> flashMessages = flag(object, "flashMessages");
    if (!hideMarkers || !jumpLines || !line || !countdown || !seconds || !clocksOnTalent || !wpm ||
        !flashMessages)
        return std::nullopt;
    ReadingAidSettings values;
    values.hideMarkers = *hideMarkers;
    values.jumpLines = *jumpLines;
    values.readingLine = *line;
    values.countdown = *countdown;
    values.countdownSeconds = *seconds;
    values.clocksOnTalent = *clocksOnTalent;
    values.wordsPerMinute = *wpm;
    values.flashMessages = *flashMessages;
    return values;
}

#pragma once

#include <optional>

#include <QJsonObject>
#include <QJsonValue>

#include "core/settings/readingaidsettings.h"

// The reading aids as the prompter's state tells them, so that a standby shows what the
// prompter shows: markers, the jumps, the reading line, the countdown, the clocks on the talent
// display, the reading pace and whether a message flashes.
QJsonObject readingaidsmessage(const ReadingAidSettings &values);

// The reading aids told in a state; nothing when a value is missing, of another type or out of
// its range: a standby takes the prompter's aids whole or not at all.
std::optional<ReadingAidSettings> readingaidsfrommessage(const QJsonValue &message);

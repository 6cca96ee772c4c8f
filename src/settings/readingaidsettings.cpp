#include "settings/readingaidsettings.h"

#include <QSettings>

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
    settings.endGroup();
    return values;
}

void writereadingaids(QSettings &settings, const ReadingAidSettings &values)
{
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("HideMarkers"), values.hideMarkers);
    settings.setValue(QStringLiteral("JumpLines"), values.jumpLines);
    settings.endGroup();
}

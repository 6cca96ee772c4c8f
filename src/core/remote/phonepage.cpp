#include "core/remote/phonepage.h"

#include <QFile>
#include <QString>

#include "core/platform/translation.h"
#include "stringtable.h"

QByteArray phonepage()
{
    QFile file(QStringLiteral(":/remote/phone.html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString page = QString::fromUtf8(file.readAll());
    const std::pair<const char *, const char *> texts[] = {
        {"Title", str::RemoteTitle},
        {"NoScript", str::NoScript},
        {"Connecting", str::RemoteConnecting},
        {"Connected", str::RemoteConnected},
        {"Lost", str::RemoteLost},
        {"PauseResume", str::RemotePauseResume},
        {"Faster", str::RemoteFaster},
        {"Slower", str::RemoteSlower},
        {"SpeedLabel", str::Speed},
        {"Reverse", str::ReverseDirection},
        {"Reset", str::Reset},
        {"PreviousScript", str::LoadPreviousScript},
        {"NextScript", str::LoadNextScript},
        {"BackLines", str::RemoteBackLines},
        {"ForwardLines", str::RemoteForwardLines},
        {"Mirror", str::ToggleMirrorText},
        {"Rotate", str::ToggleRotateText},
        {"TalentDisplay", str::ToggleDualDisplay},
        {"Blackout", str::RemoteBlackout},
        {"Running", str::RemoteRunning},
        {"Paused", str::Paused},
    };
    for (const auto &[key, text] : texts) {
        // The texts go into HTML and into JavaScript strings: neither may be broken out of.
        QString safe = i18n(text).trimmed().toHtmlEscaped();
        safe.replace(QLatin1Char('\\'), QLatin1String("&#92;"));
        page.replace(QStringLiteral("{{%1}}").arg(QLatin1String(key)), safe);
    }
    return page.toUtf8();
}

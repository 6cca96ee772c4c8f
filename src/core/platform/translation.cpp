#include "core/platform/translation.h"

#include <clocale>
#include <libintl.h>

#include <QDir>

#include "core/platform/datapaths.h"

namespace {
constexpr const char *textDomain = "vantell";
}

void initTranslation()
{
    std::setlocale(LC_ALL, "");
    const QString dir = DataPaths::localeDir();
    bindtextdomain(textDomain, QDir::toNativeSeparators(dir).toLocal8Bit().constData());
    bind_textdomain_codeset(textDomain, "UTF-8");
}

QString i18n(const char *msgid)
{
    return QString::fromUtf8(dgettext(textDomain, msgid));
}

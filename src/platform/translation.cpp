#include "platform/translation.h"

#include <clocale>
#include <libintl.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
constexpr const char *textDomain = "vantell";
}

void initTranslation()
{
    std::setlocale(LC_ALL, "");
    QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/locale");
    if (!QFileInfo(dir).isDir())
        dir = QStringLiteral(VANTELL_LOCALE_DIR);
    bindtextdomain(textDomain, QDir::toNativeSeparators(dir).toLocal8Bit().constData());
    bind_textdomain_codeset(textDomain, "UTF-8");
}

QString i18n(const char *msgid)
{
    return QString::fromUtf8(dgettext(textDomain, msgid));
}

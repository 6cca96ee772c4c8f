#include "core/controllers/controllercontrol.h"

#include <QRegularExpression>

#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

struct KindName {
    ControllerControl::Kind kind;
    QLatin1String key;
    const char *shown;
};

const KindName kinds[] = {
    {ControllerControl::Kind::Button, QLatin1String("button"), str::ControllerButton},
    {ControllerControl::Kind::Axis, QLatin1String("axis"), str::ControllerAxis},
    {ControllerControl::Kind::Dial, QLatin1String("dial"), str::ControllerDial},
};

const KindName &kindName(ControllerControl::Kind kind)
{
    for (const KindName &name : kinds)
        if (name.kind == kind)
            return name;
    return kinds[0];
}

} // namespace

QString controllercontrolkey(const ControllerControl &control)
{
    return kindName(control.kind).key + QLatin1Char('/') + control.code;
}

std::optional<ControllerControl> controllercontrolfromkey(const QString &key)
{
    // Codes are names of the devices' layers: letters, digits and a few marks, never a separator
    // of the settings' entries.
    static const QRegularExpression code(QStringLiteral("^[A-Za-z0-9_+-]{1,40}$"));
    const qsizetype slash = key.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return std::nullopt;
    const QString kind = key.left(slash);
    const QString name = key.mid(slash + 1);
    if (!code.match(name).hasMatch())
        return std::nullopt;
    for (const KindName &candidate : kinds)
        if (kind == candidate.key)
            return ControllerControl{candidate.kind, name};
    return std::nullopt;
}

QString controllercontrolname(const ControllerControl &control)
{
    return i18n(kindName(control.kind).shown).arg(control.code);
}

#include "core/controllers/controllerdevice.h"

#include <QStringList>

namespace {

constexpr quint16 contourVendor = 0x0b33;
constexpr quint16 shuttleXpressProduct = 0x0020;
constexpr quint16 shuttleProProduct = 0x0030;
// The first ShuttlePro was made for Contour by P.I. Engineering, under its vendor id.
constexpr quint16 piEngineeringVendor = 0x05f3;
constexpr quint16 firstShuttleProProduct = 0x0240;

QLatin1String kindKey(ControllerDevice::Kind kind)
{
    switch (kind) {
    case ControllerDevice::Kind::GamePad:
        return QLatin1String("pad");
    case ControllerDevice::Kind::Joystick:
        return QLatin1String("joystick");
    case ControllerDevice::Kind::Input:
        break;
    }
    return QLatin1String("input");
}

std::optional<quint16> hexId(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.size() != 4)
        return std::nullopt;
    return quint16(value);
}

} // namespace

QString ControllerDevice::key() const
{
    return QStringLiteral("%1/%2:%3/%4")
        .arg(kindKey(kind))
        .arg(vendor, 4, 16, QLatin1Char('0'))
        .arg(product, 4, 16, QLatin1Char('0'))
        .arg(name);
}

std::optional<ControllerDevice> ControllerDevice::fromKey(const QString &key)
{
    // The name comes last and may hold anything, slashes too.
    const QStringList parts = key.split(QLatin1Char('/'));
    if (parts.size() < 3)
        return std::nullopt;
    ControllerDevice device;
    const QString kind = parts.at(0);
    if (kind == QLatin1String("pad"))
        device.kind = Kind::GamePad;
    else if (kind == QLatin1String("joystick"))
        device.kind = Kind::Joystick;
    else if (kind == QLatin1String("input"))
        device.kind = Kind::Input;
    else
        return std::nullopt;
    const QStringList ids = parts.at(1).split(QLatin1Char(':'));
    if (ids.size() != 2)
        return std::nullopt;
    const std::optional<quint16> vendor = hexId(ids.at(0));
    const std::optional<quint16> product = hexId(ids.at(1));
    if (!vendor || !product)
        return std::nullopt;
    device.vendor = *vendor;
    device.product = *product;
    device.name = parts.mid(2).join(QLatin1Char('/'));
    return device;
}

ControllerDevice anygamepad()
{
    return ControllerDevice{ControllerDevice::Kind::GamePad, QString(), 0, 0};
}

ControllerDevice shuttlexpress()
{
    // As the kernel names it from its USB strings.
    return ControllerDevice{ControllerDevice::Kind::Input, QStringLiteral("Contour Design ShuttleXpress"),
                            contourVendor, shuttleXpressProduct};
}

bool isshuttle(const ControllerDevice &device)
{
    return device.kind == ControllerDevice::Kind::Input &&
           ((device.vendor == contourVendor &&
             (device.product == shuttleXpressProduct || device.product == shuttleProProduct)) ||
            (device.vendor == piEngineeringVendor && device.product == firstShuttleProProduct));
}

#include "core/controllers/evdevprobe.h"

#include <libevdev/libevdev.h>
#include <linux/input.h>

#include <QFile>
#include <QStringList>

namespace {

bool hasAnyIn(const QSet<int> &codes, int first, int last)
{
    for (const int code : codes)
        if (code >= first && code <= last)
            return true;
    return false;
}

// Keys of keyboards and their media and system keys (a keyboard's "Consumer Control" device,
// the power button): not buttons of a controller, and the desktop's to have.
bool hasKeyboardKeys(const EvdevCapabilities &capabilities)
{
    for (const int key : capabilities.keys)
        if (key < BTN_MISC || (key >= KEY_OK && key < BTN_TRIGGER_HAPPY))
            return true;
    return false;
}

bool isPointer(const EvdevCapabilities &capabilities)
{
    return (capabilities.relative.contains(REL_X) && capabilities.relative.contains(REL_Y)) ||
           capabilities.properties.contains(INPUT_PROP_POINTER) ||
           capabilities.properties.contains(INPUT_PROP_DIRECT) ||
           capabilities.properties.contains(INPUT_PROP_ACCELEROMETER) ||
           capabilities.keys.contains(BTN_TOUCH) ||
           hasAnyIn(capabilities.absolute, ABS_MT_SLOT, ABS_MT_TOOL_Y);
}

// As SDL finds its joysticks: joystick or game pad buttons, or a stick's two axes.
bool isJoystick(const EvdevCapabilities &capabilities)
{
    return hasAnyIn(capabilities.keys, BTN_JOYSTICK, BTN_THUMBR) ||
           hasAnyIn(capabilities.keys, BTN_TRIGGER_HAPPY, BTN_TRIGGER_HAPPY40) ||
           (capabilities.absolute.contains(ABS_X) && capabilities.absolute.contains(ABS_Y));
}

// A sysfs capability mask: words of hexadecimal digits, the highest first, each as wide as the
// kernel's long.
QSet<int> maskBits(const QString &text)
{
    QSet<int> bits;
    const QStringList words = text.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    constexpr int wordBits = int(sizeof(long) * 8);
    for (qsizetype index = 0; index < words.size(); ++index) {
        bool ok = false;
        const qulonglong word = words.at(words.size() - 1 - index).toULongLong(&ok, 16);
        if (!ok)
            return {};
        for (int bit = 0; bit < wordBits; ++bit)
            if (word & (qulonglong(1) << bit))
                bits.insert(int(index) * wordBits + bit);
    }
    return bits;
}

QString readLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine(4096)).trimmed();
}

QSet<int> codesOf(libevdev *handle, unsigned int type, unsigned int last)
{
    QSet<int> codes;
    if (!libevdev_has_event_type(handle, type))
        return codes;
    for (unsigned int code = 0; code <= last; ++code)
        if (libevdev_has_event_code(handle, type, code))
            codes.insert(int(code));
    return codes;
}

} // namespace

std::optional<EvdevLayout> controllerlayout(const ControllerDevice &device,
                                            const EvdevCapabilities &capabilities)
{
    if (isshuttle(device))
        return EvdevLayout::shuttle(capabilities.keys);
    if (hasKeyboardKeys(capabilities) || isPointer(capabilities) || isJoystick(capabilities))
        return std::nullopt;
    const bool dials = capabilities.relative.contains(REL_DIAL) ||
                       capabilities.relative.contains(REL_WHEEL) ||
                       capabilities.relative.contains(REL_HWHEEL) || capabilities.relative.contains(REL_MISC);
    const bool buttons = hasAnyIn(capabilities.keys, BTN_MISC, BTN_MOUSE - 1);
    const bool axes = !capabilities.absolute.isEmpty();
    if (!dials && !buttons && !axes)
        return std::nullopt;
    EvdevLayout layout;
    layout.keys = capabilities.keys;
    layout.relative = capabilities.relative;
    for (const int axis : capabilities.absolute)
        layout.absolute.insert(axis, EvdevLayout::Range{});
    return layout;
}

std::optional<ControllerDevice> sysfsdevice(const QString &folder)
{
    const QString name = readLine(folder + QStringLiteral("/name"));
    if (name.isEmpty())
        return std::nullopt;
    ControllerDevice device;
    device.kind = ControllerDevice::Kind::Input;
    device.name = name;
    device.vendor = quint16(readLine(folder + QStringLiteral("/id/vendor")).toUInt(nullptr, 16));
    device.product = quint16(readLine(folder + QStringLiteral("/id/product")).toUInt(nullptr, 16));
    return device;
}

EvdevCapabilities sysfscapabilities(const QString &folder)
{
    const QString capabilities = folder + QStringLiteral("/capabilities/");
    EvdevCapabilities read;
    read.keys = maskBits(readLine(capabilities + QStringLiteral("key")));
    read.relative = maskBits(readLine(capabilities + QStringLiteral("rel")));
    read.absolute = maskBits(readLine(capabilities + QStringLiteral("abs")));
    read.properties = maskBits(readLine(folder + QStringLiteral("/properties")));
    return read;
}

std::optional<EvdevProbe> probeevdev(libevdev *handle)
{
    ControllerDevice device;
    device.kind = ControllerDevice::Kind::Input;
    device.name = QString::fromUtf8(libevdev_get_name(handle)).trimmed();
    device.vendor = quint16(libevdev_get_id_vendor(handle));
    device.product = quint16(libevdev_get_id_product(handle));
    EvdevCapabilities capabilities;
    capabilities.keys = codesOf(handle, EV_KEY, KEY_MAX);
    capabilities.relative = codesOf(handle, EV_REL, REL_MAX);
    capabilities.absolute = codesOf(handle, EV_ABS, ABS_MAX);
    for (unsigned int property = 0; property <= INPUT_PROP_MAX; ++property)
        if (libevdev_has_property(handle, property))
            capabilities.properties.insert(int(property));
    std::optional<EvdevLayout> layout = controllerlayout(device, capabilities);
    if (!layout)
        return std::nullopt;
    for (auto axis = layout->absolute.begin(); axis != layout->absolute.end(); ++axis) {
        axis->minimum = libevdev_get_abs_minimum(handle, uint(axis.key()));
        axis->maximum = libevdev_get_abs_maximum(handle, uint(axis.key()));
        axis->value = libevdev_get_event_value(handle, EV_ABS, uint(axis.key()));
    }
    for (const int key : std::as_const(layout->keys))
        if (libevdev_get_event_value(handle, EV_KEY, uint(key)) != 0)
            layout->held.insert(key);
    return EvdevProbe{device, *layout};
}

#include "core/controllers/evdevdecoder.h"

#include <algorithm>

#include <libevdev/libevdev.h>
#include <linux/input.h>

namespace {

// Hats of an input device (-1, 0, 1 on each axis) are read as buttons, one for each way.
bool isHat(int code)
{
    return code >= ABS_HAT0X && code <= ABS_HAT3Y;
}

// The high-resolution wheels repeat what their plain wheels report.
bool repeatsAnother(int code)
{
    return code == REL_WHEEL_HI_RES || code == REL_HWHEEL_HI_RES;
}

double share(int value, const EvdevLayout::Range &range)
{
    if (range.maximum <= range.minimum)
        return 0;
    return std::clamp(double(value - range.minimum) / (range.maximum - range.minimum), 0.0, 1.0);
}

} // namespace

EvdevLayout EvdevLayout::shuttle(const QSet<int> &keys)
{
    EvdevLayout layout;
    layout.keys = keys;
    layout.ring = PositionAxis{REL_WHEEL, -7, 7};
    layout.jog = CounterDial{REL_DIAL, 256};
    return layout;
}

QString evdevcodename(int type, int code)
{
    if (const char *name = libevdev_event_code_get_name(uint(type), uint(code)))
        return QString::fromLatin1(name);
    const char *typeName = libevdev_event_type_get_name(uint(type));
    return QStringLiteral("%1_%2")
        .arg(typeName ? QString::fromLatin1(typeName) : QStringLiteral("EV"))
        .arg(code);
}

EvdevDecoder::EvdevDecoder(const ControllerDevice &device, const QString &instance, const EvdevLayout &layout)
    : m_device(device.key()), m_instance(instance), m_layout(layout)
{
}

ControllerEvent EvdevDecoder::event(ControllerControl::Kind kind, int type, int code, double value) const
{
    return ControllerEvent{m_device, m_instance, ControllerControl{kind, evdevcodename(type, code)}, value,
                           false};
}

double EvdevDecoder::ringPosition(int value) const
{
    const EvdevLayout::PositionAxis &ring = *m_layout.ring;
    return share(value, EvdevLayout::Range{ring.minimum, ring.maximum, 0});
}

QList<ControllerEvent> EvdevDecoder::initialEvents() const
{
    QList<ControllerEvent> events;
    for (auto axis = m_layout.absolute.cbegin(); axis != m_layout.absolute.cend(); ++axis) {
        if (isHat(axis.key()))
            continue;
        events << event(ControllerControl::Kind::Axis, EV_ABS, axis.key(), share(axis->value, *axis));
    }
    for (const int key : m_layout.keys)
        events << event(ControllerControl::Kind::Button, EV_KEY, key, m_layout.held.contains(key) ? 1 : 0);
    if (m_layout.ring)
        events << event(ControllerControl::Kind::Axis, EV_REL, m_layout.ring->code, ringPosition(m_ring));
    for (ControllerEvent &initial : events)
        initial.initial = true;
    return events;
}

void EvdevDecoder::jogTo(int count, QList<ControllerEvent> &events)
{
    // The first count heard is where the dial stands: it has not turned yet.
    if (m_jogCount) {
        const int modulus = m_layout.jog->modulus;
        int steps = ((count - *m_jogCount) % modulus + modulus) % modulus;
        if (steps > modulus / 2)
            steps -= modulus;
        if (steps != 0)
            events << event(ControllerControl::Kind::Dial, EV_REL, m_layout.jog->code, steps);
    }
    m_jogCount = count;
}

QList<ControllerEvent> EvdevDecoder::decode(const InputFrame &frame)
{
    QList<ControllerEvent> events;
    bool ringReported = false;
    bool jogReported = false;
    bool onlyReleases = true;
    for (const InputRecord &record : frame) {
        onlyReleases = onlyReleases && record.type == EV_KEY && record.value == 0;
        switch (record.type) {
        case EV_KEY:
            // A key's repeat (2) is no new press.
            if (m_layout.keys.contains(record.code) && record.value != 2)
                events << event(ControllerControl::Kind::Button, EV_KEY, record.code, record.value ? 1 : 0);
            break;
        case EV_ABS:
            if (isHat(record.code) && m_layout.absolute.contains(record.code)) {
                // One button for each way the hat is pushed, released when it comes back.
                const QString axis = evdevcodename(EV_ABS, record.code);
                for (const int way : {-1, 1}) {
                    ControllerEvent pushed = event(ControllerControl::Kind::Button, EV_ABS, record.code,
                                                   record.value == way ? 1 : 0);
                    pushed.control.code = axis + (way < 0 ? QLatin1Char('-') : QLatin1Char('+'));
                    events << pushed;
                }
            } else if (m_layout.absolute.contains(record.code)) {
                events << event(ControllerControl::Kind::Axis, EV_ABS, record.code,
                                share(record.value, m_layout.absolute.value(record.code)));
            }
            break;
        case EV_REL:
            if (m_layout.ring && record.code == m_layout.ring->code) {
                ringReported = true;
                if (record.value != m_ring) {
                    m_ring = std::clamp(record.value, m_layout.ring->minimum, m_layout.ring->maximum);
                    events << event(ControllerControl::Kind::Axis, EV_REL, record.code, ringPosition(m_ring));
                }
            } else if (m_layout.jog && record.code == m_layout.jog->code) {
                jogReported = true;
                jogTo(record.value, events);
            } else if (m_layout.relative.contains(record.code) && !repeatsAnother(record.code) &&
                       record.value != 0) {
                events << event(ControllerControl::Kind::Dial, EV_REL, record.code, record.value);
            }
            break;
        default:
            break;
        }
    }
    // Each of the shuttle's reports carries the ring and the jog unless they stand at 0, which
    // the kernel does not pass. A frame of key releases alone is the kernel letting go of a
    // device that went, not a report.
    if (!frame.isEmpty() && !onlyReleases) {
        if (m_layout.ring && !ringReported && m_ring != 0) {
            m_ring = 0;
            events << event(ControllerControl::Kind::Axis, EV_REL, m_layout.ring->code, ringPosition(0));
        }
        if (m_layout.jog && !jogReported)
            jogTo(0, events);
    }
    return events;
}

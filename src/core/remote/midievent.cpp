#include "core/remote/midievent.h"

#include <QStringList>

#include "core/platform/translation.h"
#include "stringtable.h"

namespace {
constexpr unsigned char noteOff = 0x80;
constexpr unsigned char noteOn = 0x90;
constexpr unsigned char controlChange = 0xB0;
constexpr int channels = 16;
constexpr int largestNumber = 127;
} // namespace

std::optional<MidiEvent> readmidievent(const unsigned char *bytes, std::size_t size)
{
    if (!bytes || size != 3 || bytes[1] > largestNumber || bytes[2] > largestNumber)
        return std::nullopt;
    const unsigned char kind = bytes[0] & 0xF0;
    MidiEvent event;
    event.control.channel = (bytes[0] & 0x0F) + 1;
    event.control.number = bytes[1];
    event.value = bytes[2];
    switch (kind) {
    case noteOff:
        event.value = 0;
        return event;
    case noteOn:
        return event;
    case controlChange:
        event.control.kind = MidiControl::Kind::Controller;
        return event;
    default:
        return std::nullopt;
    }
}

QString midicontrolkey(const MidiControl &control)
{
    return QStringLiteral("%1/%2/%3")
        .arg(control.kind == MidiControl::Kind::Note ? QStringLiteral("note") : QStringLiteral("cc"))
        .arg(control.channel)
        .arg(control.number);
}

std::optional<MidiControl> midicontrolfromkey(const QString &key)
{
    const QStringList parts = key.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return std::nullopt;
    MidiControl control;
    if (parts.at(0) == QLatin1String("note"))
        control.kind = MidiControl::Kind::Note;
    else if (parts.at(0) == QLatin1String("cc"))
        control.kind = MidiControl::Kind::Controller;
    else
        return std::nullopt;
    bool channelRead = false;
    bool numberRead = false;
    control.channel = parts.at(1).toInt(&channelRead);
    control.number = parts.at(2).toInt(&numberRead);
    if (!channelRead || !numberRead || control.channel < 1 || control.channel > channels ||
        control.number < 0 || control.number > largestNumber)
        return std::nullopt;
    return control;
}

QString midicontrolname(const MidiControl &control)
{
    return i18n(control.kind == MidiControl::Kind::Note ? str::MidiNote : str::MidiController)
        .arg(control.number)
        .arg(control.channel);
}

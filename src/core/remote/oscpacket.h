#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QVariantList>

// One OSC message: its address and its arguments (whole numbers as int or qint64, floats as
// double, strings, true and false as bool, nil as an invalid QVariant).
struct OscMessage {
    QString path;
    QVariantList arguments;

    bool operator==(const OscMessage &) const = default;
};

// The largest datagram read as a message: a script sent over OSC fits, a flood does not.
constexpr qsizetype maxOscDatagram = 64 * 1024;

// The message a datagram holds; nothing when it is not one well-formed OSC message of the
// argument types above (bundles included: remotes send their commands one by one).
std::optional<OscMessage> readoscmessage(const QByteArray &datagram);

// `message` as a datagram; doubles go as 32-bit floats, which every control surface reads.
QByteArray oscdatagram(const OscMessage &message);

#include "core/remote/oscpacket.h"

#include <cstdlib>
#include <cstring>

#include <lo/lo_lowlevel.h>

namespace {

// liblo's message, freed however the reading ends.
class LoMessage {
public:
    explicit LoMessage(lo_message message) : m_message(message) {}
    ~LoMessage()
    {
        if (m_message)
            lo_message_free(m_message);
    }
    LoMessage(const LoMessage &) = delete;
    LoMessage &operator=(const LoMessage &) = delete;
    lo_message get() const { return m_message; }

private:
    lo_message m_message;
};

// An argument as liblo hands it over: in the message's own bytes, aligned to 4 bytes only, so it
// is copied out rather than read through the union.
template <typename T> T copied(const lo_arg *value)
{
    T read;
    std::memcpy(&read, value, sizeof read);
    return read;
}

std::optional<QVariant> argument(char type, const lo_arg *value)
{
    switch (type) {
    case LO_INT32:
        return QVariant(int(copied<qint32>(value)));
    case LO_INT64:
        return QVariant(copied<qint64>(value));
    case LO_FLOAT:
        return QVariant(double(copied<float>(value)));
    case LO_DOUBLE:
        return QVariant(copied<double>(value));
    case LO_STRING:
    case LO_SYMBOL:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(value)));
    case LO_TRUE:
        return QVariant(true);
    case LO_FALSE:
        return QVariant(false);
    case LO_NIL:
        return QVariant();
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<OscMessage> readoscmessage(const QByteArray &datagram)
{
    if (datagram.isEmpty() || datagram.size() > maxOscDatagram)
        return std::nullopt;
    // liblo reads from a buffer of its own: the datagram stays as it came.
    QByteArray buffer = datagram;
    const char *path = lo_get_path(buffer.data(), buffer.size());
    if (!path || path[0] != '/')
        return std::nullopt;
    int result = 0;
    const LoMessage message(lo_message_deserialise(buffer.data(), size_t(buffer.size()), &result));
    if (!message.get() || result != 0)
        return std::nullopt;
    OscMessage read;
    read.path = QString::fromUtf8(path);
    const char *types = lo_message_get_types(message.get());
    lo_arg **values = lo_message_get_argv(message.get());
    const int count = lo_message_get_argc(message.get());
    for (int i = 0; i < count; ++i) {
        const std::optional<QVariant> value = argument(types[i], values[i]);
        if (!value)
            return std::nullopt;
        read.arguments.append(*value);
    }
    return read;
}

QByteArray oscdatagram(const OscMessage &message)
{
    const LoMessage built(lo_message_new());
    for (const QVariant &value : message.arguments) {
        switch (value.typeId()) {
        case QMetaType::Bool:
            if (value.toBool())
                lo_message_add_true(built.get());
            else
                lo_message_add_false(built.get());
            break;
        case QMetaType::Int:
            lo_message_add_int32(built.get(), value.toInt());
            break;
        case QMetaType::LongLong:
            lo_message_add_int64(built.get(), value.toLongLong());
            break;
        case QMetaType::Double:
            lo_message_add_float(built.get(), float(value.toDouble()));
            break;
        case QMetaType::QString:
            lo_message_add_string(built.get(), value.toString().toUtf8().constData());
            break;
        default:
            lo_message_add_nil(built.get());
            break;
        }
    }
    const QByteArray path = message.path.toUtf8();
    size_t size = 0;
    void *data = lo_message_serialise(built.get(), path.constData(), nullptr, &size);
    if (!data)
        return {};
    QByteArray datagram(static_cast<const char *>(data), qsizetype(size));
    std::free(data);
    return datagram;
}

#include "core/controllers/evdevstream.h"

#include <cstring>

#include <linux/input.h>

int EvdevStream::recordSize()
{
    return int(sizeof(input_event));
}

QList<InputFrame> EvdevStream::append(const QByteArray &bytes)
{
    m_pending.append(bytes);
    QList<InputFrame> frames;
    const qsizetype size = recordSize();
    qsizetype offset = 0;
    for (; offset + size <= m_pending.size(); offset += size) {
        input_event event;
        std::memcpy(&event, m_pending.constData() + offset, sizeof event);
        if (event.type == EV_SYN && event.code == SYN_DROPPED) {
            m_frame.clear();
            m_dropping = true;
            continue;
        }
        if (event.type == EV_SYN && event.code == SYN_REPORT) {
            if (!m_dropping && !m_frame.isEmpty())
                frames << m_frame;
            m_frame.clear();
            m_dropping = false;
            continue;
        }
        if (!m_dropping && event.type != EV_SYN)
            m_frame << InputRecord{event.type, event.code, event.value};
    }
    m_pending.remove(0, offset);
    return frames;
}

QByteArray evdevbytes(const InputFrame &frame)
{
    QByteArray bytes;
    const auto add = [&bytes](int type, int code, int value) {
        input_event event{};
        event.type = quint16(type);
        event.code = quint16(code);
        event.value = value;
        bytes.append(reinterpret_cast<const char *>(&event), sizeof event);
    };
    for (const InputRecord &record : frame)
        add(record.type, record.code, record.value);
    add(EV_SYN, SYN_REPORT, 0);
    return bytes;
}

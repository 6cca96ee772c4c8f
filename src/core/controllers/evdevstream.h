#pragma once

#include <QByteArray>
#include <QList>

// One event of an input device as the kernel reports it (struct input_event without its time).
struct InputRecord {
    int type = 0;
    int code = 0;
    int value = 0;

    bool operator==(const InputRecord &) const = default;
};

// The records of one moment of a device: what changed together, ended by a SYN_REPORT.
using InputFrame = QList<InputRecord>;

// Reads an input device's byte stream (/dev/input/event*, or a recording of one through a pipe)
// into frames. Bytes may come in any pieces; records left over wait for the rest. After the
// kernel says it dropped events (SYN_DROPPED), everything up to the next SYN_REPORT is dropped
// too, as its half of a moment would mislead.
class EvdevStream {
public:
    // The bytes of one struct input_event on this machine.
    static int recordSize();

    QList<InputFrame> append(const QByteArray &bytes);

private:
    QByteArray m_pending;
    InputFrame m_frame;
    bool m_dropping = false;
};

// A frame as the kernel would send it, for recordings and tests: each record with its time, and
// the SYN_REPORT that ends it.
QByteArray evdevbytes(const InputFrame &frame);

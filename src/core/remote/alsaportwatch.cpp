#include "core/remote/alsaportwatch.h"

#include <alsa/asoundlib.h>

#include <QSocketNotifier>

namespace {
// A device announces its client and then its ports: they are told together once it has settled.
constexpr int settleMs = 100;
} // namespace

AlsaPortWatch::AlsaPortWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(settleMs);
    connect(&m_settle, &QTimer::timeout, this, &AlsaPortWatch::portsChanged);
}

AlsaPortWatch::~AlsaPortWatch()
{
    stop();
}

bool AlsaPortWatch::start()
{
    if (m_sequencer)
        return true;
    snd_seq_t *sequencer = nullptr;
    int result = snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK);
    if (result >= 0) {
        snd_seq_set_client_name(sequencer, "Vantell port watch");
        const int port = snd_seq_create_simple_port(sequencer, "announcements",
                                                    SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
                                                    SND_SEQ_PORT_TYPE_APPLICATION);
        result = port < 0 ? port
                          : snd_seq_connect_from(sequencer, port, SND_SEQ_CLIENT_SYSTEM,
                                                 SND_SEQ_PORT_SYSTEM_ANNOUNCE);
    }
    if (result < 0) {
        m_error = QString::fromLocal8Bit(snd_strerror(result));
        if (sequencer)
            snd_seq_close(sequencer);
        return false;
    }
    m_sequencer = sequencer;
    m_error.clear();
    const int count = snd_seq_poll_descriptors_count(m_sequencer, POLLIN);
    std::vector<pollfd> descriptors(size_t(std::max(count, 0)));
    snd_seq_poll_descriptors(m_sequencer, descriptors.data(), uint(descriptors.size()), POLLIN);
    for (const pollfd &descriptor : descriptors) {
        auto notifier = std::make_unique<QSocketNotifier>(descriptor.fd, QSocketNotifier::Read);
        connect(notifier.get(), &QSocketNotifier::activated, this, &AlsaPortWatch::read);
        m_notifiers.push_back(std::move(notifier));
    }
    return true;
}

void AlsaPortWatch::stop()
{
    m_settle.stop();
    m_notifiers.clear();
    if (m_sequencer)
        snd_seq_close(m_sequencer);
    m_sequencer = nullptr;
}

void AlsaPortWatch::read()
{
    while (m_sequencer) {
        snd_seq_event_t *event = nullptr;
        const int result = snd_seq_event_input(m_sequencer, &event);
        // Announcements were lost while the queue overflowed: look again all the same.
        if (result == -ENOSPC) {
            m_settle.start();
            continue;
        }
        // Nonblocking: -EAGAIN once everything waiting has been read.
        if (result < 0 || !event)
            break;
        switch (event->type) {
        case SND_SEQ_EVENT_CLIENT_START:
        case SND_SEQ_EVENT_CLIENT_EXIT:
        case SND_SEQ_EVENT_PORT_START:
        case SND_SEQ_EVENT_PORT_EXIT:
            m_settle.start();
            break;
        default:
            break;
        }
    }
}

#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QTimer>

class QSocketNotifier;
typedef struct _snd_seq snd_seq_t;

// Follows the ALSA sequencer's announcements of clients and ports that come and go (its
// System:Announce port), so that a MIDI device plugged in while the prompter listens is heard
// at once. Announcements that come together (a device's client and its ports) are told as one.
class AlsaPortWatch : public QObject {
    Q_OBJECT
public:
    explicit AlsaPortWatch(QObject *parent = nullptr);
    ~AlsaPortWatch() override;

    // Subscribes to the announcements; false (with errorString()) when there is no sequencer.
    bool start();
    void stop();
    bool isWatching() const { return m_sequencer != nullptr; }
    QString errorString() const { return m_error; }

signals:
    // A client or port appeared or went.
    void portsChanged();

private:
    void read();

    snd_seq_t *m_sequencer = nullptr;
    std::vector<std::unique_ptr<QSocketNotifier>> m_notifiers;
    QTimer m_settle;
    QString m_error;
};

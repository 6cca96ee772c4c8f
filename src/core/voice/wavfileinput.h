#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include "core/voice/audioinput.h"

class QTimer;

// A recording in a WAV file (16 kHz, mono, 16-bit PCM) delivered as if a microphone heard it, at
// its own pace: for tests, benchmarks and demonstrations without a microphone.
class WavFileInput : public AudioInput {
    Q_OBJECT
public:
    explicit WavFileInput(const QString &path, QObject *parent = nullptr);

    void start() override;
    void stop() override;

    // The samples of the WAV file at `path`; false with `error` set when it is not one this reads.
    static bool read(const QString &path, QByteArray *samples, QString *error);

private:
    void deliver();

    QString m_path;
    QByteArray m_samples;
    qsizetype m_delivered = 0;
    QElapsedTimer m_clock;
    QTimer *m_timer;
};

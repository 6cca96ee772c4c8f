#pragma once

#include <QAudioDevice>
#include <QPointer>

#include "core/voice/audioinput.h"

class QAudioSource;
class QIODevice;

// The microphone chosen by its device id (empty: the system's default input), through Qt
// Multimedia.
class MicrophoneInput : public AudioInput {
    Q_OBJECT
public:
    explicit MicrophoneInput(const QByteArray &deviceId, QObject *parent = nullptr);
    ~MicrophoneInput() override;

    void start() override;
    void stop() override;

    // The inputs there are, as (id, description) pairs, for a choice of microphone.
    static QList<QPair<QByteArray, QString>> devices();

private:
    void readAvailable();

    QByteArray m_deviceId;
    QString m_description; // of the device listened to
    QAudioSource *m_source = nullptr;
    QPointer<QIODevice> m_io;
};

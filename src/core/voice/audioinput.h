#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Where the speech comes from: 16 kHz mono audio in signed 16-bit samples, delivered in pieces as it
// arrives. Started and stopped on the thread it lives in.
class AudioInput : public QObject {
    Q_OBJECT
public:
    static constexpr int sampleRate = 16000;

    using QObject::QObject;

    virtual void start() = 0;
    virtual void stop() = 0;

signals:
    void audio(const QByteArray &samples);
    // The input cannot deliver (no device, unreadable file): a message for the user.
    void failed(const QString &message);
    // The input has no more to deliver (the end of a file).
    void finished();
};

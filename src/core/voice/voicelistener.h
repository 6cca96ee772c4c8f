#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "core/voice/speechrecognizer.h"

class AudioInput;
class QThread;

// Listens on a worker thread: the audio input and the recogniser live there, and what the
// recogniser hears comes back to the thread that owns the listener as signals. Nothing here waits
// for the recogniser: loading the model and decoding never hold up the owner's thread.
class VoiceListener : public QObject {
    Q_OBJECT
public:
    explicit VoiceListener(const SpeechModel &model, QObject *parent = nullptr);
    ~VoiceListener() override;

    // Starts listening for `words` (spoken forms) to the input `makeInput` makes (on the worker
    // thread); a listener already running stops first.
    void start(const std::function<AudioInput *()> &makeInput, const QStringList &words);
    // Stops listening; signals of the run stopped no longer come.
    void stop();
    bool isListening() const { return m_thread != nullptr; }

signals:
    // The model is loaded and the input started: what is said from now on is heard.
    void listening();
    void heard(const QStringList &words);
    void utteranceEnded();
    // Listening failed (no model, no microphone, a recogniser error) and has stopped.
    void failed(const QString &message);
    // The input has no more to give (the end of a file).
    void finished();

private:
    SpeechModel m_model;
    QThread *m_thread = nullptr;
    QList<QPointer<QThread>> m_stopped; // ending on their own; waited for when the listener goes
    quint64 m_run = 0;                  // signals of older runs are dropped
};

#include "core/voice/voicelistener.h"

#include <QThread>

#include "core/voice/audioinput.h"

VoiceListener::VoiceListener(const SpeechModel &model, QObject *parent) : QObject(parent), m_model(model) {}

VoiceListener::~VoiceListener()
{
    stop();
    for (const QPointer<QThread> &thread : std::as_const(m_stopped))
        if (thread)
            thread->wait();
}

void VoiceListener::start(const std::function<AudioInput *()> &makeInput, const QStringList &words)
{
    stop();
    const quint64 run = ++m_run;
    m_thread = new QThread;
    auto *recognizer = new SpeechRecognizer(m_model);
    recognizer->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, recognizer, &QObject::deleteLater);
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    // Signals cross to this thread queued; a run stopped meanwhile is not told on.
    const auto current = [this, run] { return run == m_run && m_thread; };
    connect(recognizer, &SpeechRecognizer::heard, this, [this, current](const QStringList &heardWords) {
        if (current())
            emit heard(heardWords);
    });
    connect(recognizer, &SpeechRecognizer::utteranceEnded, this, [this, current] {
        if (current())
            emit utteranceEnded();
    });
    const auto fail = [this, current](const QString &message) {
        if (!current())
            return;
        stop();
        emit failed(message);
    };
    connect(recognizer, &SpeechRecognizer::failed, this, fail);
    m_thread->start();
    QMetaObject::invokeMethod(recognizer, [this, recognizer, makeInput, words, current, fail] {
        // On the worker thread: the model loads here, and the input lives here.
        if (!recognizer->load(words))
            return;
        AudioInput *input = makeInput();
        input->setParent(recognizer);
        connect(input, &AudioInput::audio, recognizer, &SpeechRecognizer::feed);
        connect(input, &AudioInput::failed, this, fail);
        connect(input, &AudioInput::finished, recognizer, &SpeechRecognizer::flush);
        connect(input, &AudioInput::finished, this, [this, current] {
            if (current())
                emit finished();
        });
        QMetaObject::invokeMethod(this, [this, current] {
            if (current())
                emit listening();
        });
        input->start();
    });
}

void VoiceListener::stop()
{
    if (!m_thread)
        return;
    ++m_run;
    // The thread ends when the recogniser has finished what it was doing; the objects go with it.
    // Nobody waits for that here.
    QThread *thread = m_thread;
    m_thread = nullptr;
    thread->quit();
    m_stopped.removeAll(nullptr);
    m_stopped.append(thread);
}

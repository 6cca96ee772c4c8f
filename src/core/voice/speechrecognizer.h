#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct ps_decoder_s;
struct cmd_ln_s;

// Where the recogniser's model is: its acoustic model folder and its pronouncing dictionary.
struct SpeechModel {
    QString acoustic;
    QString dictionary;
    // The English model Debian installs (package pocketsphinx-en-us).
    static SpeechModel english();
};

// The speech recogniser over pocketsphinx: told the script's words (see VoiceVocabulary), fed
// audio (16 kHz mono, 16-bit), it tells the words it hears as it hears them. It splits the audio
// into utterances at pauses. Meant to run on a worker thread of its own; decoding is slower
// than anything the user-interface thread may wait for.
class SpeechRecognizer : public QObject {
    Q_OBJECT
public:
    // An utterance runs at most this long (ms of audio) before it is ended: the recogniser's
    // work for each new hypothesis grows with its length.
    static constexpr int longestUtterance = 12000;
    // A hypothesis unchanged for this long (ms of audio) is told again: it has held, so its newest
    // words count too (see VoiceFollower::heard).
    static constexpr int heldHypothesis = 100;

    explicit SpeechRecognizer(const SpeechModel &model, QObject *parent = nullptr);
    ~SpeechRecognizer() override;

    // Makes the vocabulary of `words` (spoken forms) and starts listening for them; false, and
    // failed() told, when the model or the recogniser cannot be set up.
    bool load(const QStringList &words);
    // Decodes `samples`; tells heard() when the hypothesis changed and utteranceEnded() at a pause.
    void feed(const QByteArray &samples);
    // Ends the utterance under way as a pause would.
    void flush();

    bool isLoaded() const { return m_decoder != nullptr; }
    // Audio decoded so far, in ms.
    qint64 audioMs() const { return m_samples * 1000 / 16000; }

signals:
    // The words of the utterance under way, as the recogniser hears them now.
    void heard(const QStringList &words);
    void utteranceEnded();
    void failed(const QString &message);

private:
    void release();
    void tellHypothesis();
    void endUtterance();

    SpeechModel m_model;
    QTemporaryDir m_dir;
    cmd_ln_s *m_config = nullptr;
    ps_decoder_s *m_decoder = nullptr;
    bool m_inUtterance = false;
    qint64 m_utteranceStart = 0;
    qint64 m_samples = 0;
    QString m_hypothesis;
    qint64 m_hypothesisSince = 0;
    bool m_hypothesisHeld = false;
};

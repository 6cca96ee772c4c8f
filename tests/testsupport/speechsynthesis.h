#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Speech made for tests and benchmarks from known text, with each word's time known: every word is
// synthesised alone with espeak-ng, trimmed of its silence and laid end to end with the pauses of
// a reader; sox makes it 16 kHz mono and mixes in noise.
class SpeechSynthesis {
public:
    // A stretch said without a pause: words of the script from `firstScriptWord` on, or an ad-lib
    // (`firstScriptWord` -1), followed by a pause.
    struct Stretch {
        QStringList words;
        int firstScriptWord = -1;
        int pauseAfterMs = 300;
    };
    // When each script word was said (ms from the recording's start); -1 for words not said.
    struct Timeline {
        QList<qint64> start;
        QList<qint64> end;
        qint64 lengthMs = 0;
    };

    explicit SpeechSynthesis(const QString &workDir) : m_dir(workDir) {}

    // Says `stretches` into the WAV file `wavPath` (16 kHz, mono, 16-bit) for a script of
    // `scriptWords` words, with white noise of `noise` (0: none; 0.02: a quiet room) mixed in.
    bool speak(const QList<Stretch> &stretches, int scriptWords, double noise, const QString &wavPath,
               Timeline *timeline, QString *error);

    // The stretches of the script `words` read straight through, a sentence (ending with ".", "?" or
    // "!" in `text`) a stretch. `text` holds the words as written, `words` their spoken forms.
    static QList<Stretch> sentences(const QStringList &text, const QStringList &words);

private:
    bool word(const QString &word, QList<qint16> *samples, QString *error);

    QString m_dir;
};

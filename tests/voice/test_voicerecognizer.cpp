#include <cmath>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "testsupport/speechsynthesis.h"
#include "testsupport/testmain.h"
#include "core/voice/speechrecognizer.h"
#include "core/voice/voicelistener.h"
#include "core/voice/wavfileinput.h"

// The recogniser over Debian's English model, fed a recording of pocketsphinx-testdata, and how
// listening fails: never with a crash, always with a message.
class TestVoiceRecognizer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void recogniserHearsTheScriptsWords();
    void aMissingModelIsAMessage();
    void onlySixteenKilohertzMonoWavIsRead();
    void listenerHearsAFileOnItsOwnThread();
    void listenerFailsQuietlyWithoutAModel();
    void aStoppedListenerTellsNothingMore();
    void synthesisedSpeechHasTheNoiseAskedFor();

private:
    QString m_recording;
};

static const QString testdata = QStringLiteral("/usr/share/pocketsphinx/test/data/librivox/");
static const QStringList sentence = {"he", "was", "not", "an", "ill", "disposed", "young", "man"};

void TestVoiceRecognizer::initTestCase()
{
    if (!QFile::exists(SpeechModel::english().acoustic + QStringLiteral("/mdef")))
        QSKIP("the English speech model (pocketsphinx-en-us) is not installed");
    m_recording = testdata + QStringLiteral("sense_and_sensibility_01_austen_64kb-0880.wav");
    if (!QFile::exists(m_recording))
        QSKIP("pocketsphinx-testdata is not installed");
}

void TestVoiceRecognizer::recogniserHearsTheScriptsWords()
{
    SpeechRecognizer recognizer(SpeechModel::english());
    QStringList last;
    int ended = 0;
    connect(&recognizer, &SpeechRecognizer::heard, this, [&last](const QStringList &words) { last = words; });
    connect(&recognizer, &SpeechRecognizer::utteranceEnded, this, [&ended] { ++ended; });
    // The vocabulary is the script: the sentence among other words.
    QVERIFY(recognizer.load(sentence + QStringList{"sensible", "dashwood", "cottage", "marianne"}));
    QByteArray samples;
    QString error;
    QVERIFY2(WavFileInput::read(m_recording, &samples, &error), qPrintable(error));
    for (qsizetype at = 0; at < samples.size(); at += 1600)
        recognizer.feed(samples.mid(at, 1600));
    recognizer.feed(QByteArray(16000 * 2, '\0')); // a second's pause ends the utterance
    QVERIFY(ended >= 1);
    QVERIFY2(last.contains(QStringLiteral("disposed")) && last.contains(QStringLiteral("young")),
             qPrintable(last.join(' ')));
    QVERIFY(recognizer.audioMs() > 3000);
}

void TestVoiceRecognizer::aMissingModelIsAMessage()
{
    SpeechRecognizer recognizer({QStringLiteral("/nonexistent/model"), SpeechModel::english().dictionary});
    QSignalSpy failed(&recognizer, &SpeechRecognizer::failed);
    QVERIFY(!recognizer.load(sentence));
    QCOMPARE(failed.size(), 1);
    QVERIFY(failed.first().first().toString().contains(QLatin1String("/nonexistent/model")));
    QVERIFY(!recognizer.isLoaded());
    recognizer.feed(QByteArray(3200, '\0')); // nothing to decode with: ignored
}

void TestVoiceRecognizer::onlySixteenKilohertzMonoWavIsRead()
{
    QTemporaryDir dir;
    QByteArray samples;
    QString error;
    QVERIFY(!WavFileInput::read(dir.filePath(QStringLiteral("absent.wav")), &samples, &error));
    QVERIFY(error.contains(QLatin1String("absent.wav")));
    QFile text(dir.filePath(QStringLiteral("text.wav")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a sound file at all, but long enough to look at");
    text.close();
    QVERIFY(!WavFileInput::read(text.fileName(), &samples, &error));
    // A WAV file at another rate, or in stereo: not for this recogniser.
    const auto wav = [&dir](const char *name, quint32 rate, quint16 channels) {
        QByteArray data("RIFF\0\0\0\0WAVEfmt ", 16);
        const auto u16 = [&data](quint16 v) { data.append(char(v & 0xff)).append(char(v >> 8)); };
        const auto u32 = [&u16](quint32 v) {
            u16(quint16(v & 0xffff));
            u16(quint16(v >> 16));
        };
        u32(16);
        u16(1);
        u16(channels);
        u32(rate);
        u32(rate * 2 * channels);
        u16(quint16(2 * channels));
        u16(16);
        data.append("data", 4);
        u32(4);
        data.append(4, '\0');
        QFile file(dir.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(data);
        return file.fileName();
    };
    QVERIFY(!WavFileInput::read(wav("8k.wav", 8000, 1), &samples, &error));
    QVERIFY(error.contains(QLatin1String("8k.wav")));
    QVERIFY(!WavFileInput::read(wav("stereo.wav", 16000, 2), &samples, &error));
    QVERIFY(WavFileInput::read(wav("good.wav", 16000, 1), &samples, &error));
    QCOMPARE(samples.size(), 4);
    QVERIFY(WavFileInput::read(m_recording, &samples, &error));
    QCOMPARE(samples.size() % 2, 0);
}

void TestVoiceRecognizer::listenerHearsAFileOnItsOwnThread()
{
    VoiceListener listener(SpeechModel::english());
    QSignalSpy listening(&listener, &VoiceListener::listening);
    QSignalSpy heard(&listener, &VoiceListener::heard);
    QSignalSpy finished(&listener, &VoiceListener::finished);
    const QString file = m_recording;
    listener.start([file] { return new WavFileInput(file); }, sentence);
    QVERIFY(listener.isListening());
    QVERIFY(listening.wait(10000));
    QVERIFY(finished.wait(15000)); // the file plays at its own pace: three seconds
    QVERIFY(!heard.isEmpty());
    QStringList all;
    for (const QList<QVariant> &words : heard)
        all += words.first().toStringList();
    QVERIFY2(all.contains(QStringLiteral("disposed")), qPrintable(all.join(' ')));
}

void TestVoiceRecognizer::listenerFailsQuietlyWithoutAModel()
{
    VoiceListener listener({QStringLiteral("/nonexistent/model"), SpeechModel::english().dictionary});
    QSignalSpy failed(&listener, &VoiceListener::failed);
    const QString file = m_recording;
    listener.start([file] { return new WavFileInput(file); }, sentence);
    QVERIFY(failed.wait(5000));
    QVERIFY(!listener.isListening());
    // A file that is not there: the input's failure ends listening too.
    VoiceListener other(SpeechModel::english());
    QSignalSpy otherFailed(&other, &VoiceListener::failed);
    other.start([] { return new WavFileInput(QStringLiteral("/nonexistent/speech.wav")); }, sentence);
    QVERIFY(otherFailed.wait(10000));
    QVERIFY(otherFailed.first().first().toString().contains(QLatin1String("/nonexistent/speech.wav")));
    QVERIFY(!other.isListening());
}

void TestVoiceRecognizer::aStoppedListenerTellsNothingMore()
{
    VoiceListener listener(SpeechModel::english());
    QSignalSpy heard(&listener, &VoiceListener::heard);
    QSignalSpy listening(&listener, &VoiceListener::listening);
    const QString file = m_recording;
    listener.start([file] { return new WavFileInput(file); }, sentence);
    listener.stop(); // at once, while the model still loads: nothing waits for it
    QVERIFY(!listener.isListening());
    QTest::qWait(4000);
    QVERIFY(heard.isEmpty());
    QVERIFY(listening.isEmpty());
}

// The speech the voice benchmark and flow are judged by: noise mixed in at the level asked, whatever
// the file is called (a file called "noise.wav" once got clipped hiss).
void TestVoiceRecognizer::synthesisedSpeechHasTheNoiseAskedFor()
{
    QTemporaryDir dir;
    SpeechSynthesis synthesis(dir.path());
    SpeechSynthesis::Timeline timeline;
    QString error;
    const QString wav = dir.filePath(QStringLiteral("noise.wav"));
    QVERIFY2(synthesis.speak({{{"good", "evening"}, 0, 300}}, 2, 0.01, wav, &timeline, &error),
             qPrintable(error));
    QByteArray samples;
    QVERIFY2(WavFileInput::read(wav, &samples, &error), qPrintable(error));
    const auto *sample = reinterpret_cast<const qint16 *>(samples.constData());
    const qsizetype count = samples.size() / 2;
    QVERIFY(qAbs(count - timeline.lengthMs * 16) <= 16);
    // The half second before the first word holds the noise alone: sox's white noise at 0.01 has
    // an RMS of about 0.0033 of full scale (107 of 32768).
    double square = 0;
    const int before = 16 * 400;
    for (int i = 0; i < before; ++i)
        square += double(sample[i]) * sample[i];
    const double rms = std::sqrt(square / before);
    QVERIFY2(rms > 50 && rms < 300, qPrintable(QString::number(rms)));
    // The words are as loud as without noise: nowhere clipped.
    qint16 peak = 0;
    for (qsizetype i = 0; i < count; ++i)
        peak = qMax<qint16>(peak, qAbs(sample[i]));
    QVERIFY2(peak < 32000, qPrintable(QString::number(peak)));
}

VANTELL_CORE_TEST_MAIN(TestVoiceRecognizer)
#include "test_voicerecognizer.moc"

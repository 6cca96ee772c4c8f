#include "core/voice/speechrecognizer.h"

#include <QFile>
#include <QFileInfo>
#include <pocketsphinx.h>

#include "core/platform/translation.h"
#include "stringtable.h"
#include "core/voice/voicevocabulary.h"

namespace {

// Measured with bench_voice: 10 and below let misheard words through, 15 and above make phrases of
// the script out of noise.
const char *const languageWeight = "13";
const char *const insertionPenalty = "1.0";

} // namespace

SpeechModel SpeechModel::english()
{
    const QString root = QStringLiteral("/usr/share/pocketsphinx/model/en-us/");
    return {root + QStringLiteral("en-us"), root + QStringLiteral("cmudict-en-us.dict")};
}

SpeechRecognizer::SpeechRecognizer(const SpeechModel &model, QObject *parent)
    : QObject(parent), m_model(model)
{
}

SpeechRecognizer::~SpeechRecognizer()
{
    release();
}

void SpeechRecognizer::release()
{
    if (m_decoder)
        ps_free(m_decoder);
    m_decoder = nullptr;
    if (m_config)
        cmd_ln_free_r(m_config);
    m_config = nullptr;
    m_inUtterance = false;
}

bool SpeechRecognizer::load(const QStringList &words)
{
    release();
    if (!QFileInfo(m_model.acoustic + QStringLiteral("/mdef")).isFile()) {
        emit failed(i18n(str::VoiceNoModel).arg(m_model.acoustic));
        return false;
    }
    VoiceVocabulary vocabulary;
    QString error;
    if (!vocabulary.build(words, m_model.dictionary, &error)) {
        emit failed(error);
        return false;
    }
    const QString dictionaryPath = m_dir.filePath(QStringLiteral("script.dict"));
    const QString modelPath = m_dir.filePath(QStringLiteral("script.lm"));
    QFile dictionary(dictionaryPath), model(modelPath);
    if (!m_dir.isValid() || !dictionary.open(QIODevice::WriteOnly) || !model.open(QIODevice::WriteOnly) ||
        dictionary.write(vocabulary.dictionary()) < 0 || model.write(vocabulary.languageModel()) < 0) {
        emit failed(i18n(str::VoiceRecognizerFailed).arg(m_dir.path()));
        return false;
    }
    dictionary.close();
    model.close();
    const QByteArray acoustic = QFile::encodeName(m_model.acoustic);
    const QByteArray dict = QFile::encodeName(dictionaryPath);
    const QByteArray lm = QFile::encodeName(modelPath);
    // The recogniser logs every step to stderr unless told otherwise. The script's word pairs are
    // what is read, so they weigh twice the usual against the sound (the language weight), and a
    // word costs nothing extra (the insertion penalty): a reader says every word of the script.
    m_config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", acoustic.constData(), "-dict", dict.constData(),
                           "-lm", lm.constData(), "-lw", languageWeight, "-wip", insertionPenalty, "-logfn",
                           "/dev/null", nullptr);
    if (m_config)
        m_decoder = ps_init(m_config);
    if (!m_decoder || ps_start_utt(m_decoder) < 0) {
        release();
        emit failed(i18n(str::VoiceRecognizerFailed).arg(m_model.acoustic));
        return false;
    }
    m_samples = 0;
    m_hypothesis.clear();
    return true;
}

void SpeechRecognizer::feed(const QByteArray &samples)
{
    if (!m_decoder)
        return;
    const auto *data = reinterpret_cast<const int16 *>(samples.constData());
    const size_t count = size_t(samples.size() / 2);
    if (ps_process_raw(m_decoder, data, count, FALSE, FALSE) < 0) {
        release();
        emit failed(i18n(str::VoiceRecognizerFailed).arg(m_model.acoustic));
        return;
    }
    m_samples += qint64(count);
    const bool speech = ps_get_in_speech(m_decoder);
    if (speech && !m_inUtterance) {
        m_inUtterance = true;
        m_utteranceStart = audioMs();
    }
    if (!m_inUtterance)
        return;
    if (!speech || audioMs() - m_utteranceStart > longestUtterance)
        endUtterance();
    else
        tellHypothesis();
}

void SpeechRecognizer::flush()
{
    if (m_decoder && m_inUtterance)
        endUtterance();
}

void SpeechRecognizer::tellHypothesis()
{
    int32 score = 0;
    const char *hypothesis = ps_get_hyp(m_decoder, &score);
    const QString text = hypothesis ? QString::fromUtf8(hypothesis) : QString();
    if (text == m_hypothesis) {
        if (m_hypothesisHeld || audioMs() - m_hypothesisSince < heldHypothesis)
            return;
        m_hypothesisHeld = true;
    } else {
        m_hypothesis = text;
        m_hypothesisSince = audioMs();
        m_hypothesisHeld = false;
    }
    emit heard(text.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

void SpeechRecognizer::endUtterance()
{
    ps_end_utt(m_decoder);
    tellHypothesis();
    m_inUtterance = false;
    m_hypothesis.clear();
    emit utteranceEnded();
    if (ps_start_utt(m_decoder) < 0) {
        release();
        emit failed(i18n(str::VoiceRecognizerFailed).arg(m_model.acoustic));
    }
}

#include "testsupport/speechsynthesis.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

constexpr int synthRate = 22050; // espeak-ng's own rate
constexpr int gapMs = 40;        // between the words of a stretch

bool run(const QString &program, const QStringList &arguments, QByteArray *output, QString *error)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error =
            program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return true;
}

QByteArray wavheader(qsizetype bytes, int rate)
{
    QByteArray header(44, '\0');
    char *h = header.data();
    memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(quint32(36 + bytes), h + 4);
    memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20);
    qToLittleEndian<quint16>(1, h + 22);
    qToLittleEndian<quint32>(quint32(rate), h + 24);
    qToLittleEndian<quint32>(quint32(rate * 2), h + 28);
    qToLittleEndian<quint16>(2, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(bytes), h + 40);
    return header;
}

} // namespace

bool SpeechSynthesis::word(const QString &word, QList<qint16> *samples, QString *error)
{
    static QHash<QString, QList<qint16>> said;
    if (said.contains(word)) {
        *samples = said.value(word);
        return true;
    }
    QByteArray wav;
    if (!run(QStringLiteral("espeak-ng"),
             {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-s"), QStringLiteral("170"),
              QStringLiteral("--stdout"), word},
             &wav, error))
        return false;
    const qsizetype data = wav.indexOf("data");
    if (data < 0) {
        *error = QStringLiteral("espeak-ng gave no sound for ") + word;
        return false;
    }
    QList<qint16> all;
    for (qsizetype at = data + 8; at + 1 < wav.size(); at += 2)
        all.append(qFromLittleEndian<qint16>(wav.constData() + at));
    // Trimmed of the silence around it, so the word's time is the time it sounds.
    qsizetype first = 0, last = all.size() - 1;
    while (first < last && qAbs(all.at(first)) < 300)
        ++first;
    while (last > first && qAbs(all.at(last)) < 300)
        --last;
    *samples = all.mid(first, last - first + 1);
    said.insert(word, *samples);
    return true;
}

bool SpeechSynthesis::speak(const QList<Stretch> &stretches, int scriptWords, double noise,
                            const QString &wavPath, Timeline *timeline, QString *error)
{
    timeline->start = QList<qint64>(scriptWords, -1);
    timeline->end = QList<qint64>(scriptWords, -1);
    QList<qint16> sound(synthRate / 2, 0); // half a second before the first word
    const auto nowMs = [&sound] { return qint64(sound.size()) * 1000 / synthRate; };
    for (const Stretch &stretch : stretches) {
        for (int i = 0; i < stretch.words.size(); ++i) {
            QList<qint16> samples;
            if (!word(stretch.words.at(i), &samples, error))
                return false;
            const int index = stretch.firstScriptWord < 0 ? -1 : stretch.firstScriptWord + i;
            if (index >= 0 && index < scriptWords)
                timeline->start[index] = nowMs();
            sound.append(samples);
            if (index >= 0 && index < scriptWords)
                timeline->end[index] = nowMs();
            sound.append(QList<qint16>(synthRate * gapMs / 1000, 0));
        }
        sound.append(QList<qint16>(qsizetype(synthRate) * stretch.pauseAfterMs / 1000, 0));
    }
    timeline->lengthMs = nowMs();
    // The steps' files have a folder of their own: none of them may be the one asked for (a case
    // called "noise" once mixed its noise into the file it was reading it from).
    const QTemporaryDir steps(m_dir + QStringLiteral("/synthesis-XXXXXX"));
    if (!steps.isValid()) {
        *error = QStringLiteral("cannot make a folder in ") + m_dir;
        return false;
    }
    const QString raw = steps.filePath(QStringLiteral("said.wav"));
    QFile file(raw);
    const QByteArray bytes(reinterpret_cast<const char *>(sound.constData()), sound.size() * 2);
    if (!file.open(QIODevice::WriteOnly) || file.write(wavheader(bytes.size(), synthRate) + bytes) < 0) {
        *error = QStringLiteral("cannot write ") + raw;
        return false;
    }
    file.close();
    const QStringList to16k = {QStringLiteral("-r"), QStringLiteral("16000"), QStringLiteral("-c"),
                               QStringLiteral("1"),  QStringLiteral("-b"),    QStringLiteral("16")};
    if (noise <= 0)
        return run(QStringLiteral("sox"), QStringList{raw} + to16k + QStringList{wavPath}, nullptr, error);
    const QString clean = steps.filePath(QStringLiteral("clean.wav"));
    const QString hiss = steps.filePath(QStringLiteral("noise.wav"));
    return run(QStringLiteral("sox"), QStringList{raw} + to16k + QStringList{clean}, nullptr, error) &&
           run(QStringLiteral("sox"),
               QStringList{QStringLiteral("-n")} + to16k +
                   QStringList{hiss, QStringLiteral("synth"),
                               QString::number(timeline->lengthMs / 1000.0 + 1), QStringLiteral("whitenoise"),
                               QStringLiteral("vol"), QString::number(noise)},
               nullptr, error) &&
           run(QStringLiteral("sox"),
               {QStringLiteral("-m"), QStringLiteral("-v"), QStringLiteral("1"), clean, QStringLiteral("-v"),
                QStringLiteral("1"), hiss, wavPath, QStringLiteral("trim"), QStringLiteral("0"),
                QString::number(timeline->lengthMs / 1000.0)},
               nullptr, error);
}

QList<SpeechSynthesis::Stretch> SpeechSynthesis::sentences(const QStringList &text, const QStringList &words)
{
    QList<Stretch> stretches;
    Stretch stretch;
    for (int i = 0; i < words.size(); ++i) {
        if (stretch.words.isEmpty())
            stretch.firstScriptWord = i;
        stretch.words.append(words.at(i));
        const QString written = i < text.size() ? text.at(i) : QString();
        if (written.endsWith(QLatin1Char('.')) || written.endsWith(QLatin1Char('?')) ||
            written.endsWith(QLatin1Char('!')) || i + 1 == words.size()) {
            stretches.append(stretch);
            stretch = Stretch();
        }
    }
    return stretches;
}

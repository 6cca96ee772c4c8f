// Voice following, offline: speech synthesised from a known script (espeak-ng, sox) and the
// recordings of pocketsphinx-testdata, fed to the recogniser as if from a microphone, in pieces of
// 50 ms; the follower steers a page of the script (lines of six words, 60 px high, the reading
// line a third down a 600 px view) at the engine's speeds. Prints, per case and overall: latency
// (end of a word until it is placed and its line is at the reading line), position error, drift
// in silence, recovery after an ad-lib and a skip (the words spoken, and the words the recogniser
// heard, until locked again), and the recogniser's CPU. VOICE_CASES=clean,skip
// runs only the cases named; VOICE_TRACE=1 tells on stderr what was heard and where the page was.
// The recogniser hears each synthesis a little differently: VOICE_REPEAT=20 runs every case twenty
// times, and tells for the ad-lib and the skip in how many runs the speaker was found again
// within 5 recognised words.
#include <algorithm>

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <ctime>

#include "support/benchsupport.h"
#include "testsupport/speechsynthesis.h"
#include "core/voice/scriptwords.h"
#include "core/voice/speechrecognizer.h"
#include "core/voice/voicefollower.h"
#include "core/voice/wavfileinput.h"

namespace {

const char *const paragraphs[] = {
    "Good evening and welcome to the news at six. Tonight the city council has agreed to build a new "
    "bridge across the river. Work will start in the spring and should take about two years. The mayor "
    "said the bridge will bring the two halves of the town closer together.",
    "In other news, the weather has been unusually warm for the time of year. Farmers say their crops "
    "are growing early, and some worry that a late frost could ruin the harvest. Forecasters expect "
    "the warm spell to end by the weekend, with heavy rain moving in from the west.",
    "At the museum a new exhibition of old maps opened this morning. Visitors can see how the river "
    "and the streets have changed over three hundred years. The oldest map was drawn by hand on a "
    "single sheet of leather and was found in a farmhouse last winter.",
    "Finally, the local football team won their match on Saturday by two goals to one. The winning "
    "goal came in the last minute of the game, and the fans stayed long after the whistle to cheer "
    "the players. That is all from us tonight. Thank you for watching and good night.",
};

// Studio talk before the show, none of it the script's: while voice following listens, the page
// must not move.
const char *const chatter =
    "can everyone hear me at the back there is coffee in the kitchen if anyone wants some please "
    "switch your phones to silent before we go live the camera on the left needs a new battery and "
    "the lights over the desk are still too bright could somebody check the sound on the second "
    "microphone it was crackling during the rehearsal this afternoon we start in about five minutes "
    "so let us all take our places and remember to smile when the red lamp comes on";

const char *const adlib = "let me just say how happy we all are to see so many of you here with us";

constexpr int lineHeight = 60;
constexpr int wordsPerLine = 6;
constexpr int viewHeight = 600;
constexpr double readingOffset = viewHeight / 3.0;
constexpr int pieceMs = 50;
constexpr int pieceSamples = AudioInput::sampleRate * pieceMs / 1000;
constexpr int lockedWithin = 5; // recognised words: the target for finding the speaker again

struct Script {
    QStringList written;     // the words as written
    QList<ScriptWord> words; // their spoken forms and the tops of their lines
    QList<int> paragraphStart;
};

Script makescript()
{
    Script script;
    int line = 0;
    for (const char *paragraph : paragraphs) {
        script.paragraphStart.append(int(script.words.size()));
        const QStringList tokens = QString::fromLatin1(paragraph).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (int i = 0; i < tokens.size(); ++i) {
            if (i > 0 && i % wordsPerLine == 0)
                ++line;
            script.written.append(tokens.at(i));
            script.words.append({spokenform(tokens.at(i)), int(readingOffset) + line * lineHeight});
        }
        line += 2; // a blank line between paragraphs
    }
    script.paragraphStart.append(int(script.words.size()));
    return script;
}

QStringList spoken(const Script &script)
{
    QStringList list;
    for (const ScriptWord &word : script.words)
        list.append(word.word);
    return list;
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000 + double(now.tv_nsec) / 1e6;
}

double percentile(QList<double> samples, double p)
{
    if (samples.isEmpty())
        return NAN;
    std::sort(samples.begin(), samples.end());
    return samples.at(qMin(samples.size() - 1, qsizetype(std::ceil(p * double(samples.size())) - 1)));
}

// Words between `word` and the nearest word of the line at the reading line.
int wordsoff(const Script &script, int word, double readingY)
{
    int best = std::numeric_limits<int>::max();
    int nearestTop = script.words.first().top;
    for (const ScriptWord &w : script.words)
        if (std::abs(w.top + lineHeight / 2.0 - readingY) <
            std::abs(nearestTop + lineHeight / 2.0 - readingY))
            nearestTop = w.top;
    for (int i = 0; i < script.words.size(); ++i)
        if (script.words.at(i).top == nearestTop)
            best = qMin(best, std::abs(i - word));
    return best;
}

struct Case {
    QString name;
    QList<SpeechSynthesis::Stretch> stretches;
    double noise = 0;
    int recoverFrom = -1;    // the first script word after an ad-lib or a skip
    qint64 silenceFrom = -1; // a long silence, ms
    qint64 silenceTo = -1;
};

struct Result {
    QList<double> latencies;
    QList<double> errors;
    QList<double> errorsAfterLock; // after an ad-lib or a skip, once locked again
    double driftPx = NAN;
    int recoveryWords = -1; // words spoken until locked again
    int recoveryHeard = -1; // words the recogniser heard until then
    double cpuShare = 0;
    int placed = 0;
    int said = 0;
};

Result follow(const Script &script, const QByteArray &audio, const SpeechSynthesis::Timeline &timeline,
              const Case &c)
{
    Result result;
    SpeechRecognizer recognizer(SpeechModel::english());
    QObject::connect(&recognizer, &SpeechRecognizer::failed,
                     [](const QString &message) { qFatal("%s", qPrintable(message)); });
    recognizer.load(spoken(script));
    VoiceFollower follower;
    follower.setScript(script.words);
    // The words the recogniser heard since the speaker returned to the text, of utterances begun
    // after it (a little before the first word's start, where the recogniser's detector starts).
    const double returnMs = c.recoverFrom >= 0 ? timeline.start.at(c.recoverFrom) - 300.0 : NAN;
    double clockMs = 0, utteranceFromMs = -1;
    int heardBefore = 0, heardNow = 0;
    QObject::connect(&recognizer, &SpeechRecognizer::heard, [&](const QStringList &words) {
        if (qEnvironmentVariableIsSet("VOICE_TRACE"))
            fprintf(stderr, "heard: %s\n", qPrintable(words.join(' ')));
        if (utteranceFromMs < 0 && !words.isEmpty())
            utteranceFromMs = clockMs;
        heardNow = int(std::count_if(words.cbegin(), words.cend(), [](const QString &word) {
            return !word.startsWith(QLatin1Char('<')) && !word.startsWith(QLatin1Char('['));
        }));
        follower.heard(words);
    });
    QObject::connect(&recognizer, &SpeechRecognizer::utteranceEnded, [&] {
        if (utteranceFromMs >= returnMs)
            heardBefore += heardNow;
        utteranceFromMs = -1;
        heardNow = 0;
        follower.utteranceEnded();
    });

    double scroll = 0;
    QList<double> reachedAt(script.words.size(), -1);
    double cpu = 0;
    double driftStart = NAN;
    const qsizetype pieces = audio.size() / 2 / pieceSamples;
    for (qsizetype piece = 0; piece <= pieces + 40; ++piece) {
        // After the recording, a second of silence lets the last words settle.
        const QByteArray samples = piece < pieces ? audio.mid(piece * pieceSamples * 2, pieceSamples * 2)
                                                  : QByteArray(pieceSamples * 2, '\0');
        clockMs = double(piece) * pieceMs;
        const double before = threadCpuMs();
        recognizer.feed(samples);
        const double spent = threadCpuMs() - before;
        cpu += spent;
        // The page moves for the piece's time at the engine's speed; the decision came `spent` ms
        // after the piece was heard.
        const double pieceEnd = double(piece + 1) * pieceMs;
        for (int step = 0; step < pieceMs; step += 5) {
            const double now = pieceEnd + spent + step;
            const double readingY = scroll + readingOffset;
            const int target = follower.targetTop();
            const int speed =
                target < 0 ? 0
                           : VoiceFollower::enginespeed(VoiceFollower::rate(readingY, target, lineHeight), 1);
            if (speed > 0)
                scroll += 5.0 / (301 - speed);
            for (int w = 0; w <= follower.spoken(); ++w)
                if (reachedAt[w] < 0 &&
                    scroll + readingOffset >= script.words.at(w).top + lineHeight / 2.0 - 2)
                    reachedAt[w] = now;
            if (c.silenceFrom >= 0 && std::isnan(driftStart) && now >= c.silenceFrom + 500)
                driftStart = scroll;
            if (c.silenceTo >= 0 && now >= c.silenceTo && !std::isnan(driftStart) &&
                std::isnan(result.driftPx))
                result.driftPx = std::abs(scroll - driftStart);
        }
        // Where the speaker is and where the page is, every 100 ms while speaking.
        if ((piece + 1) % 2 == 0 && piece < pieces) {
            int speaking = -1;
            for (int w = 0; w < script.words.size(); ++w)
                if (timeline.start.at(w) >= 0 && timeline.start.at(w) <= pieceEnd &&
                    timeline.end.at(w) + 500 >= pieceEnd)
                    speaking = w;
            if (speaking >= 0)
                result.errors.append(wordsoff(script, speaking, scroll + readingOffset));
            if (speaking >= 0 && result.recoveryWords >= 0)
                result.errorsAfterLock.append(wordsoff(script, speaking, scroll + readingOffset));
            if (qEnvironmentVariableIsSet("VOICE_TRACE"))
                fprintf(stderr, "%s t=%.0f speaking=%d spoken=%d state=%d off=%d\n", qPrintable(c.name),
                        pieceEnd, speaking, follower.spoken(), int(follower.state()),
                        speaking >= 0 ? wordsoff(script, speaking, scroll + readingOffset) : -1);
        }
        if (c.recoverFrom >= 0 && result.recoveryWords < 0 && follower.state() == VoiceState::Following &&
            follower.spoken() >= c.recoverFrom) {
            int words = 0;
            for (int w = c.recoverFrom; w < script.words.size(); ++w)
                if (timeline.end.at(w) >= 0 && timeline.end.at(w) <= pieceEnd)
                    ++words;
            result.recoveryWords = words;
            result.recoveryHeard = heardBefore + (utteranceFromMs >= returnMs ? heardNow : 0);
        }
    }
    for (int w = 0; w < script.words.size(); ++w) {
        if (timeline.end.at(w) < 0)
            continue;
        ++result.said;
        if (reachedAt.at(w) >= 0) {
            ++result.placed;
            result.latencies.append(qMax(0.0, reachedAt.at(w) - double(timeline.end.at(w))));
        }
    }
    result.cpuShare = cpu / (double(pieces) * pieceMs);
    return result;
}

void report(const QString &name, const Result &r, const QJsonObject &inputs)
{
    // No word placed: no latency to tell (null), rather than a flattering 0.
    bench::report(QStringLiteral("voice_%1_latency_median").arg(name),
                  r.latencies.isEmpty() ? NAN : bench::median(r.latencies), "ms", inputs);
    bench::report(QStringLiteral("voice_%1_latency_p95").arg(name), percentile(r.latencies, 0.95), "ms",
                  inputs);
    bench::report(QStringLiteral("voice_%1_position_error_p95").arg(name), percentile(r.errors, 0.95),
                  "words", inputs);
    bench::report(QStringLiteral("voice_%1_words_placed").arg(name), double(r.placed) / qMax(1, r.said),
                  "share", inputs);
    if (!std::isnan(r.driftPx))
        bench::report(QStringLiteral("voice_%1_drift_in_silence").arg(name), r.driftPx, "px", inputs);
    if (r.recoveryWords >= 0 || name == QLatin1String("adlib") || name == QLatin1String("skip")) {
        bench::report(QStringLiteral("voice_%1_recovery").arg(name), r.recoveryWords,
                      "words spoken until locked (-1: never)", inputs);
        bench::report(QStringLiteral("voice_%1_recovery_heard").arg(name), r.recoveryHeard,
                      "words recognised until locked (-1: never)", inputs);
        bench::report(QStringLiteral("voice_%1_position_error_after_lock_p95").arg(name),
                      percentile(r.errorsAfterLock, 0.95), "words", inputs);
    }
    bench::report(QStringLiteral("voice_%1_recogniser_cpu").arg(name), r.cpuShare, "share of one core",
                  inputs);
}

QList<SpeechSynthesis::Stretch> paragraphstretches(const Script &script, int first, int last)
{
    const int from = script.paragraphStart.at(first), to = script.paragraphStart.at(last + 1);
    QList<SpeechSynthesis::Stretch> stretches =
        SpeechSynthesis::sentences(script.written.mid(from, to - from), spoken(script).mid(from, to - from));
    for (SpeechSynthesis::Stretch &stretch : stretches)
        stretch.firstScriptWord += from;
    stretches.last().pauseAfterMs = 700;
    return stretches;
}

// The testdata's recordings of a novel's paragraph, read by a person: the script is their text.
void librivox(Result *overall)
{
    const QString dir = QStringLiteral("/usr/share/pocketsphinx/test/data/librivox/");
    QFile transcription(dir + QStringLiteral("transcription"));
    if (!transcription.open(QIODevice::ReadOnly)) {
        bench::report("voice_librivox_skipped", 1, "pocketsphinx-testdata not installed");
        return;
    }
    Script script;
    QByteArray audio;
    QList<int> sentenceEnds;
    QList<qint64> sentenceEndMs;
    int line = 0;
    for (const QString &entry :
         QString::fromUtf8(transcription.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString file = entry.section(QLatin1Char('('), -1).chopped(1);
        const QString text = entry.section(QLatin1String("<s>"), 1).section(QLatin1String("</s>"), 0, 0);
        const QStringList tokens = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (int i = 0; i < tokens.size(); ++i) {
            if (script.words.size() % wordsPerLine == 0 && !script.words.isEmpty())
                ++line;
            script.written.append(tokens.at(i));
            script.words.append({tokens.at(i), int(readingOffset) + line * lineHeight});
        }
        QByteArray samples;
        QString error;
        if (!WavFileInput::read(dir + file + QStringLiteral(".wav"), &samples, &error))
            qFatal("%s", qPrintable(error));
        audio += samples + QByteArray(AudioInput::sampleRate / 2 * 2, '\0');
        sentenceEnds.append(int(script.words.size()) - 1);
        sentenceEndMs.append(audio.size() / 2 * 1000 / AudioInput::sampleRate);
    }
    SpeechRecognizer recognizer(SpeechModel::english());
    recognizer.load(spoken(script));
    VoiceFollower follower;
    follower.setScript(script.words);
    QObject::connect(&recognizer, &SpeechRecognizer::heard,
                     [&follower](const QStringList &w) { follower.heard(w); });
    QObject::connect(&recognizer, &SpeechRecognizer::utteranceEnded,
                     [&follower] { follower.utteranceEnded(); });
    QList<double> errors;
    double cpu = 0;
    int next = 0;
    const qsizetype pieces = audio.size() / 2 / pieceSamples;
    for (qsizetype piece = 0; piece < pieces; ++piece) {
        const double before = threadCpuMs();
        recognizer.feed(audio.mid(piece * pieceSamples * 2, pieceSamples * 2));
        cpu += threadCpuMs() - before;
        if (next < sentenceEndMs.size() && (piece + 1) * pieceMs >= sentenceEndMs.at(next)) {
            errors.append(std::abs(sentenceEnds.at(next) - follower.spoken()));
            ++next;
        }
    }
    const QJsonObject inputs{{"recordings", int(sentenceEnds.size())},
                             {"words", int(script.words.size())},
                             {"judged", "at each sentence's end, after its half second pause"}};
    bench::report("voice_librivox_sentence_end_error_max", percentile(errors, 1.0), "words", inputs);
    bench::report("voice_librivox_recogniser_cpu", cpu / (double(pieces) * pieceMs), "share of one core",
                  inputs);
    overall->errors += errors;
}

// Speaks case `c` afresh, follows it and reports its figures.
Result synthesiseAndFollow(const Script &script, Case &c, const QTemporaryDir &dir, int count)
{
    SpeechSynthesis synthesis(dir.path());
    SpeechSynthesis::Timeline timeline;
    QString error;
    const QString wav = dir.filePath(c.name + QStringLiteral(".wav"));
    if (!synthesis.speak(c.stretches, count, c.noise, wav, &timeline, &error))
        qFatal("%s", qPrintable(error));
    if (c.name == QLatin1String("silence")) {
        const int last = script.paragraphStart.at(2) - 1;
        c.silenceFrom = timeline.end.at(last) + 1000;
        c.silenceTo = c.silenceFrom + 10000;
    } else if (c.name == QLatin1String("hiss") || c.name == QLatin1String("chatter")) {
        c.silenceFrom = 0;
        c.silenceTo = timeline.lengthMs - 500;
    }
    QByteArray audio;
    if (!WavFileInput::read(wav, &audio, &error))
        qFatal("%s", qPrintable(error));
    const Result r = follow(script, audio, timeline, c);
    report(c.name, r,
           QJsonObject{{"words", count},
                       {"audioSeconds", double(timeline.lengthMs) / 1000},
                       {"noise", c.noise},
                       {"silence_s",
                        c.silenceTo > c.silenceFrom ? double(c.silenceTo - c.silenceFrom - 500) / 1000 : 0},
                       {"voice", "espeak-ng en-us, 170 wpm, word by word"}});
    return r;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Script script = makescript();
    const int count = int(script.words.size());
    QList<Case> cases;
    cases.append({QStringLiteral("clean"), paragraphstretches(script, 0, 3)});
    // White noise 28 dB and 15 dB below the speech (-45 and -36 dBFS RMS; the speech is -21).
    cases.append({QStringLiteral("noise"), paragraphstretches(script, 0, 3), 0.01});
    cases.append({QStringLiteral("loudnoise"), paragraphstretches(script, 0, 3), 0.05});
    {
        Case silence{QStringLiteral("silence"), paragraphstretches(script, 0, 1)};
        silence.stretches.last().pauseAfterMs = 10500;
        silence.stretches += paragraphstretches(script, 2, 3);
        cases.append(silence);
    }
    {
        // No one reading: loud hiss (as loud as the speech), then talk that is not the script. A
        // recogniser that knows only the script's words hears phrases of it in anything; the page
        // must not move.
        Case hiss{QStringLiteral("hiss"), {{{}, -1, 60000}}, 0.3};
        cases.append(hiss);
        Case talk{QStringLiteral("chatter"), {}};
        for (int again = 0; again < 3; ++again)
            talk.stretches.append({QString::fromLatin1(chatter).split(QLatin1Char(' ')), -1, 700});
        cases.append(talk);
    }
    {
        Case adlibbed{QStringLiteral("adlib"), paragraphstretches(script, 0, 0)};
        adlibbed.stretches.append({QString::fromLatin1(adlib).split(QLatin1Char(' ')), -1, 500});
        adlibbed.stretches += paragraphstretches(script, 1, 3);
        adlibbed.recoverFrom = script.paragraphStart.at(1);
        cases.append(adlibbed);
    }
    {
        Case skip{QStringLiteral("skip"), paragraphstretches(script, 0, 0)};
        skip.stretches += paragraphstretches(script, 2, 3);
        skip.recoverFrom = script.paragraphStart.at(2);
        cases.append(skip);
    }
    const int repeats = qMax(1, qEnvironmentVariableIntValue("VOICE_REPEAT"));
    Result overall;
    for (Case &c : cases) {
        if (qEnvironmentVariableIsSet("VOICE_CASES") && !qEnvironmentVariable("VOICE_CASES").contains(c.name))
            continue;
        QList<double> recoveries;
        for (int run = 0; run < repeats; ++run) {
            const Result r = synthesiseAndFollow(script, c, dir, count);
            overall.latencies += r.latencies;
            overall.errors += r.errors;
            overall.cpuShare = qMax(overall.cpuShare, r.cpuShare);
            if (c.recoverFrom >= 0)
                recoveries.append(r.recoveryHeard);
        }
        if (repeats > 1 && !recoveries.isEmpty()) {
            const QJsonObject runs{{"runs", repeats}};
            const auto within = std::count_if(recoveries.cbegin(), recoveries.cend(), [](double heard) {
                return heard >= 0 && heard <= lockedWithin;
            });
            bench::report(QStringLiteral("voice_%1_locked_within_%2_heard").arg(c.name).arg(lockedWithin),
                          double(within) / repeats, "share of runs", runs);
            bench::report(QStringLiteral("voice_%1_recovery_heard_median").arg(c.name),
                          bench::median(recoveries), "words recognised until locked", runs);
        }
    }
    librivox(&overall);
    const QJsonObject all{
        {"cases", "clean, noise, loudnoise, silence, hiss, chatter, adlib, skip, librivox"}};
    bench::report("voice_latency_median", bench::median(overall.latencies), "ms", all);
    bench::report("voice_latency_p95", percentile(overall.latencies, 0.95), "ms", all);
    bench::report("voice_position_error_p95", percentile(overall.errors, 0.95), "words", all);
    bench::report("voice_recogniser_cpu_max", overall.cpuShare, "share of one core", all);
    return 0;
}

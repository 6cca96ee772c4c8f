#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include "testsupport/speechsynthesis.h"
#include "userflow.h"

// Voice following as the operator uses it: turned on in the options window, the page follows a
// speaker (synthesised speech, heard from a file in place of the microphone) so that what was
// said last stands at the reading line, a third down the page; a key of the operator's takes the
// page over at once; the key V turns following on again.
class FlowVoice : public UserFlow {
    Q_OBJECT
private slots:
    void initTestCase();
    void thePageFollowsTheSpeaker();
    void theOperatorsKeyTakesOver();
    void theKeyTurnsItOnAgain();

private:
    bool statusReads(const QString &words, int timeoutMs) const;
    qint64 m_speechMs = 0;
};

namespace {

const char *const spoken[] = {
    "Good evening and welcome to the news at six.",
    "Tonight the city council has agreed to build a new bridge across the river.",
    "Work will start in the spring and should take about two years.",
    "The mayor said the bridge will bring the two halves of the town closer together.",
    "In other news the weather has been unusually warm for the time of year.",
    "Farmers say their crops are growing early and some worry that a late frost could ruin the harvest.",
    "Forecasters expect the warm spell to end by the weekend with heavy rain moving in from the west.",
};
const char *const unspoken[] = {
    "At the museum a new exhibition of old maps opened this morning.",
    "Visitors can see how the river and the streets have changed over three hundred years.",
    "The oldest map was drawn by hand on a single sheet of leather.",
    "Finally the local football team won their match on Saturday.",
    "That is all from us tonight. Thank you for watching and good night.",
};

} // namespace

bool FlowVoice::statusReads(const QString &words, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (readsWords(prompter->statusText(), words))
            return true;
        QThread::msleep(300);
    } while (clock.elapsed() < timeoutMs);
    return false;
}

void FlowVoice::initTestCase()
{
    // The script: each sentence a line; the speaker says the first seven.
    QByteArray text;
    QStringList written, words;
    for (const char *sentence : spoken) {
        text += QByteArray(sentence) + "\r\n";
        for (const QString &word : QString::fromLatin1(sentence).split(QLatin1Char(' '))) {
            written.append(word);
            words.append(word.toLower().remove(QLatin1Char('.')));
        }
    }
    for (const char *sentence : unspoken)
        text += QByteArray(sentence) + "\r\n";
    const QString script = writeScript(QStringLiteral("news.txt"), text);
    SpeechSynthesis synthesis(scripts.path());
    SpeechSynthesis::Timeline timeline;
    QString error;
    const QString wav = scripts.filePath(QStringLiteral("speaker.wav"));
    QVERIFY2(synthesis.speak(SpeechSynthesis::sentences(written, words), int(words.size()), 0, wav, &timeline,
                             &error),
             qPrintable(error));
    m_speechMs = timeline.lengthMs;
    // A test aid of the program's: this file is heard in place of the microphone.
    qputenv("VANTELL_VOICE_FILE", QFile::encodeName(wav));
    QVERIFY(startSession());
    QVERIFY(startProgram(QStringList{script}));
    const QString shown = waitForPageText(QStringLiteral("good evening"));
    VERIFY_SCREEN(readsWords(shown, QStringLiteral("good evening")), prompter->page(),
                  QStringLiteral("start"));
}

void FlowVoice::thePageFollowsTheSpeaker()
{
    const quint64 options = openOptions();
    QVERIFY2(options, "the options window did not open");
    QVERIFY(showOptionsPage(options, QStringLiteral("Voice"), QStringLiteral("speaker's")));
    QVERIFY2(clickWord(options, QStringLiteral("speaker's")) || clickWord(options, QStringLiteral("Scroll")),
             qPrintable(described(desktop->grab(options), QStringLiteral("voice option"))));
    const QImage chosen = desktop->grab(options);
    QDir().mkpath(QStringLiteral(VANTELL_SHOTS_DIR));
    chosen.save(QStringLiteral(VANTELL_SHOTS_DIR "/voice-options.png"));
    desktop->activate(options);
    desktop->key(QStringLiteral("Return"));
    QVERIFY(desktop->waitForWindowGone(QStringLiteral("Vantell Options")));
    VERIFY_SCREEN(statusReads(QStringLiteral("voice following"), 20000) ||
                      statusReads(QStringLiteral("voice listening"), 1000),
                  prompter->statusLine(), QStringLiteral("voice state"));
    // The speech plays from when the recogniser listens; a second after its end the page stands.
    QThread::msleep(static_cast<unsigned long>(m_speechMs + 2500));
    const QImage page = settledPage();
    page.save(QStringLiteral(VANTELL_SHOTS_DIR "/voice-followed.png"));
    // The last sentence said is at the reading line: in the band around a third down the page.
    const QRect band(0, page.height() / 6, page.width(), page.height() / 3);
    const QString atLine = readText(page.copy(band));
    const bool lastSaid = readsWords(atLine, QStringLiteral("forecasters")) ||
                          readsWords(atLine, QStringLiteral("weekend")) ||
                          readsWords(atLine, QStringLiteral("west"));
    VERIFY_SCREEN(lastSaid, page, QStringLiteral("last sentence at the reading line"));
    // Never ahead: what was not said is not yet above the reading line.
    VERIFY_SCREEN(
        !readsWords(readText(page.copy(0, 0, page.width(), page.height() / 6)), QStringLiteral("museum")),
        page, QStringLiteral("not ahead of the speaker"));
    VERIFY_SCREEN(statusReads(QStringLiteral("voice following"), 3000), prompter->statusLine(),
                  QStringLiteral("following"));
}

void FlowVoice::theOperatorsKeyTakesOver()
{
    prompter->keys({QStringLiteral("w")});
    VERIFY_SCREEN(statusReads(QStringLiteral("operator took over"), 5000), prompter->statusLine(),
                  QStringLiteral("taken over"));
    // The operator's speed runs the page on.
    const QImage before = settledPage();
    QThread::msleep(1500);
    VERIFY_SCREEN(PrompterWindow::verticalShift(before, prompter->page()) > 0, prompter->page(),
                  QStringLiteral("runs at the operator's speed"));
    prompter->keys({QStringLiteral("q")});
}

void FlowVoice::theKeyTurnsItOnAgain()
{
    prompter->keys({QStringLiteral("v")});
    VERIFY_SCREEN(statusReads(QStringLiteral("voice"), 10000), prompter->statusLine(),
                  QStringLiteral("on again"));
    VERIFY_SCREEN(prompter->statusText().contains(QLatin1String("voice:")), prompter->statusLine(),
                  QStringLiteral("its state shown"));
    prompter->menu({QStringLiteral("v")}); // the menu's entry turns it off again
    QThread::msleep(1000);
    // The state is gone from the status line ("Voice: listening" and the like).
    VERIFY_SCREEN(!prompter->statusText().contains(QLatin1String("voice:")), prompter->statusLine(),
                  QStringLiteral("off from the menu"));
}

QTEST_GUILESS_MAIN(FlowVoice)
#include "flow_voice.moc"

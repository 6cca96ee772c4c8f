#include <QTest>

#include "testsupport/testmain.h"
#include "core/voice/voicefollower.h"
#include "core/voice/wordmatcher.h"

// Placing what the recogniser hears in the script, and how the page is steered there.
class TestVoiceFollow : public QObject {
    Q_OBJECT
private slots:
    void matcherForgivesMisheardAndMissingWords();
    void matcherLooksOnlyInItsWindow();
    void matcherTakesARepeatedPhraseAtItsNextOccurrence();
    void matcherForgivesAWordHeardTwice();
    void matcherTellsWhatTheWordsPastThePlaceAdded();
    void followerFollowsWordByWord();
    void aRevisedWordDoesNotCount();
    void aPhraseFarOnWaitsForTheWordsAfterIt();
    void followerHoldsDuringAnAdLibAndRecoversWhenLost();
    void followerFindsTheSpeakerAfterASkippedParagraph();
    void aSkipHeardBadlyIsFoundAsTheRecogniserRevisesIt_data();
    void aSkipHeardBadlyIsFoundAsTheRecogniserRevisesIt();
    void followerNeverGoesBackWhileFollowing();
    void wordsWithDigitsMatchAnyWord();
    void steeringClosesInWithoutOvershoot();
    void engineSpeedForARate();
};

static QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

static QList<ScriptWord> script(const QStringList &list)
{
    QList<ScriptWord> result;
    for (int i = 0; i < list.size(); ++i)
        result.append({list.at(i), i * 10});
    return result;
}

static const QStringList text = words(
    "good evening and welcome to the evening news the weather today was warm and sunny across the whole "
    "country tomorrow brings rain in the north and wind along the coast in sports the home team won "
    "their third match in a row after a late goal in the final minute the coach said the players never "
    "gave up and the fans sang until midnight now for the markets shares rose sharply this morning");

void TestVoiceFollow::matcherForgivesMisheardAndMissingWords()
{
    // "whether" for "weather", "to day" split, "was" left out.
    const WordMatch found = WordMatcher::match(words("news the whether today warm and"), text, 0, 40);
    QCOMPARE(found.end, text.indexOf("warm") + 1); // "and" after "warm"
    QVERIFY(found.matched >= 4);
    // Nothing alike: no match.
    QCOMPARE(WordMatcher::match(words("purple elephants dance quietly"), text, 0, 40).end, -1);
}

void TestVoiceFollow::matcherLooksOnlyInItsWindow()
{
    const QStringList heard = words("the players never gave up");
    const int gave = int(text.indexOf("gave"));
    QCOMPARE(WordMatcher::match(heard, text, 0, 20).end, -1);
    QCOMPARE(WordMatcher::match(heard, text, gave - 10, gave + 10).end, gave + 1);
    QCOMPARE(WordMatcher::match(heard, text, -50, 9999).end, gave + 1); // limits kept in the script
}

void TestVoiceFollow::matcherTakesARepeatedPhraseAtItsNextOccurrence()
{
    const QStringList repeated = words("in the north and then in the north and then in the north");
    QCOMPARE(WordMatcher::match(words("in the north"), repeated, 0, repeated.size()).end, 2);
    QCOMPARE(WordMatcher::match(words("in the north"), repeated, 3, repeated.size()).end, 7);
}

void TestVoiceFollow::matcherForgivesAWordHeardTwice()
{
    const WordMatch once = WordMatcher::match(words("the markets shares rose"), text, 0, int(text.size()));
    const WordMatch twice =
        WordMatcher::match(words("the markets markets shares rose"), text, 0, int(text.size()));
    QCOMPARE(twice.end, once.end);
    QCOMPARE(twice.matched, once.matched);
    QCOMPARE(twice.score, once.score);
}

void TestVoiceFollow::matcherTellsWhatTheWordsPastThePlaceAdded()
{
    const int said = int(text.indexOf("said"));
    // "coach said" carries the match through two misses to "nether", near "never": the words past
    // "said" took from the score.
    const WordMatch carried = WordMatcher::match(words("coach said bold tiny nether"), text, 0, 80, said);
    QCOMPARE(carried.end, said + 3);
    QVERIFY(carried.score > 0);
    QVERIFY(carried.gained < 0);
    // With no place before, all of it is gained.
    QCOMPARE(WordMatcher::match(words("coach said bold tiny nether"), text, 0, 80).gained, carried.score);
    // Words that go on well add.
    const WordMatch goesOn = WordMatcher::match(words("coach said the players"), text, 0, 80, said);
    QCOMPARE(goesOn.end, said + 2);
    QCOMPARE(goesOn.gained, WordMatcher::common + WordMatcher::exact);
}

// Says `text` as a recogniser hears it: a hypothesis a word longer each time, then the utterance's end.
static void utter(VoiceFollower &follower, const char *text)
{
    QStringList said;
    for (const QString &word : words(text)) {
        said.append(word);
        follower.heard(said);
    }
    follower.utteranceEnded();
}

void TestVoiceFollow::followerFollowsWordByWord()
{
    VoiceFollower follower;
    follower.setScript(script(text));
    QCOMPARE(follower.state(), VoiceState::Listening);
    QCOMPARE(follower.targetTop(), -1);
    follower.heard(words("good"));
    follower.heard(words("good evening"));
    QCOMPARE(follower.spoken(), -1); // one word alone is no place
    // A word counts once the next hypothesis confirms it.
    follower.heard(words("good evening and"));
    QCOMPARE(follower.spoken(), 1);
    QCOMPARE(follower.state(), VoiceState::Following);
    follower.heard(words("good evening and welcome"));
    QCOMPARE(follower.spoken(), 2);
    follower.utteranceEnded(); // the last hypothesis is final
    QCOMPARE(follower.spoken(), 3);
    QCOMPARE(follower.targetTop(), 30);
    // A new utterance carries on from there: "to the", too common to place alone, is placed after
    // the words before the pause.
    follower.heard(words("to the"));
    QCOMPARE(follower.spoken(), 3);
    follower.heard(words("to the evening"));
    QCOMPARE(follower.spoken(), 5);
    follower.heard(words("to the evening news"));
    QCOMPARE(follower.spoken(), 6);
    follower.utteranceEnded();
    QCOMPARE(follower.spoken(), 7);
}

void TestVoiceFollow::aRevisedWordDoesNotCount()
{
    VoiceFollower follower;
    follower.setScript(script(text));
    follower.setPlace(int(text.indexOf("weather")));
    follower.heard(words("weather today"));
    follower.heard(words("whether to day"));
    QCOMPARE(follower.spoken(), -1);
    follower.heard(words("whether to day was warm"));
    follower.heard(words("whether to day was warm and"));
    QCOMPARE(follower.spoken(), int(text.indexOf("warm")));
}

void TestVoiceFollow::aPhraseFarOnWaitsForTheWordsAfterIt()
{
    // Noise heard through the script's vocabulary comes out as short phrases of the script. The
    // speaker starts at the reading line: a phrase further on moves the page only once the next
    // words go on from it, and a phrase heard again and again never does.
    const int won = int(text.indexOf("won"));
    VoiceFollower follower;
    follower.setScript(script(text));
    utter(follower, "team won their");
    QCOMPARE(follower.spoken(), -1);
    for (int again = 0; again < 4; ++again)
        utter(follower, "team won their");
    QCOMPARE(follower.spoken(), -1);
    utter(follower, "team won their third match");
    QCOMPARE(follower.spoken(), won + 3);

    // While following too: "the home team" heard after "welcome to the" waits for what goes on.
    VoiceFollower following;
    following.setScript(script(text));
    utter(following, "good evening and welcome to the");
    QCOMPARE(following.spoken(), 5);
    utter(following, "the home team");
    QCOMPARE(following.spoken(), 5);
    utter(following, "team won their");
    QCOMPARE(following.spoken(), won + 1);

    // A doubtful place heard long ago confirms nothing: talk that is not the script, then a phrase
    // further on, is a doubtful place of its own.
    VoiceFollower talk;
    talk.setScript(script(text));
    utter(talk, "team won their");
    utter(talk, "purple elephants dance quietly beside green lanterns while seven orange kites drift slowly");
    utter(talk, "the coach said");
    QCOMPARE(talk.spoken(), -1);
    utter(talk, "the players never");
    QCOMPARE(talk.spoken(), int(text.indexOf("never")));

    // When lost the same holds for the wider window.
    VoiceFollower lost;
    lost.setScript(script(text));
    utter(lost, "good evening and welcome");
    utter(lost, "purple elephants dance quietly by the river tonight");
    QCOMPARE(lost.state(), VoiceState::Lost);
    utter(lost, "shares rose sharply");
    QCOMPARE(lost.spoken(), 3);
    utter(lost, "shares rose sharply this morning");
    QCOMPARE(lost.state(), VoiceState::Following);
    QCOMPARE(lost.spoken(), int(text.size()) - 1);
}

void TestVoiceFollow::followerHoldsDuringAnAdLibAndRecoversWhenLost()
{
    VoiceFollower follower;
    follower.setScript(script(text));
    utter(follower, "good evening and welcome to the evening news");
    QCOMPARE(follower.spoken(), 7);
    // An ad-lib, with a few of the script's words in it as a recogniser that knows only those hears
    // it, and a pair of them that is in the script further on.
    const QStringList adlib =
        words("i must say the rain was a lovely thing for it and we all enjoyed the match");
    QStringList said;
    for (const QString &word : adlib) {
        said.append(word);
        follower.heard(said);
        QVERIFY2(follower.spoken() == 7, qPrintable(said.join(' ')));
    }
    follower.utteranceEnded();
    QCOMPARE(follower.spoken(), 7);
    QCOMPARE(follower.state(), VoiceState::Lost);
    // Back to the text: locked again within a few words.
    said.clear();
    int spokenUntilLocked = 0;
    for (const QString &word : words("the weather today was warm and sunny")) {
        said.append(word);
        ++spokenUntilLocked;
        follower.heard(said);
        if (follower.state() == VoiceState::Following)
            break;
    }
    QCOMPARE(follower.state(), VoiceState::Following);
    QVERIFY(spokenUntilLocked <= 5);
    QCOMPARE(follower.spoken(), 7 + spokenUntilLocked - 1); // the newest word awaits confirmation
}

void TestVoiceFollow::followerFindsTheSpeakerAfterASkippedParagraph()
{
    VoiceFollower follower;
    follower.setScript(script(text));
    utter(follower, "good evening and welcome");
    // Sports skipped to the markets: out of the window ahead, so lost first, then found.
    utter(follower, "now for the markets shares rose sharply this morning");
    QCOMPARE(follower.state(), VoiceState::Following);
    QCOMPARE(follower.spoken(), int(text.size()) - 1);
}

// A skipped paragraph whose first words the recogniser heard badly, and changed its mind about:
// the hypotheses as it gave them (speech synthesised from the script, "at the museum" heard as
// "that"). Each is given twice, as the recogniser repeats a hypothesis while the sound goes on.
void TestVoiceFollow::aSkipHeardBadlyIsFoundAsTheRecogniserRevisesIt_data()
{
    QTest::addColumn<QStringList>("hypotheses");
    QTest::addColumn<QString>("lockedAt");
    // "new news at the" becomes "new new exhibition of" without a word more: the changed words
    // are matched again.
    QTest::newRow("words changed") << QStringList{"that",
                                                  "that a",
                                                  "that a new",
                                                  "that a new new",
                                                  "that a new news at",
                                                  "that a new news at the",
                                                  "that a new new exhibition of",
                                                  "that a new news at the local",
                                                  "that a new new exhibition of old"}
                                   << QStringLiteral("old");
    // "at the" heard as "that": "that a new" does not pass for "in other news", and the paragraph is
    // found as soon as the words after "a new exhibition" go on from it.
    QTest::newRow("two words heard as one")
        << QStringList{"that", "that a", "that a new", "that a new exhibition", "that a new exhibition of"}
        << QStringLiteral("of");
    // "of old" heard as "local": the words that go on from "exhibition" are found with a miss among
    // them.
    QTest::newRow("words missed") << QStringList{"that",
                                                 "that a",
                                                 "that a new",
                                                 "that a new new",
                                                 "that a new new exhibition",
                                                 "that a new new exhibition local",
                                                 "that a new new exhibition local map",
                                                 "that a new new exhibition local maps opened"}
                                  << QStringLiteral("opened");
}

void TestVoiceFollow::aSkipHeardBadlyIsFoundAsTheRecogniserRevisesIt()
{
    QFETCH(QStringList, hypotheses);
    QFETCH(QString, lockedAt);
    const QStringList news = words(
        "work will start in the spring and should take about two years the mayor said the bridge will "
        "bring the two halves of the town closer together in other news the weather has been unusually "
        "warm for the time of year farmers say their crops are growing early and some worry that a late "
        "frost could ruin the harvest forecasters expect the warm spell to end by the weekend with heavy "
        "rain moving in from the west at the museum a new exhibition of old maps opened this morning "
        "visitors can see how the river and the streets have changed over three hundred years");
    VoiceFollower follower;
    follower.setScript(script(news));
    utter(follower, "the mayor said the bridge will bring the two halves are town closer together");
    QCOMPARE(follower.spoken(), int(news.indexOf("together")));
    const int museum = int(news.indexOf("museum"));
    for (const QString &hypothesis : hypotheses) {
        const QStringList heard = words(qPrintable(hypothesis));
        follower.heard(heard);
        follower.heard(heard);
        // "that a new" does not pass for the "in other news" just after "together", nor for
        // anything else before the paragraph said.
        QVERIFY2(follower.spoken() == int(news.indexOf("together")) || follower.spoken() > museum,
                 qPrintable(QStringLiteral("%1: %2").arg(hypothesis).arg(follower.spoken())));
    }
    QCOMPARE(follower.state(), VoiceState::Following);
    QCOMPARE(follower.spoken(), int(news.indexOf(lockedAt, museum)));
}

void TestVoiceFollow::followerNeverGoesBackWhileFollowing()
{
    VoiceFollower follower;
    follower.setScript(script(text));
    follower.setPlace(int(text.indexOf("weather")));
    QCOMPARE(follower.state(), VoiceState::Listening);
    utter(follower, "weather today was warm");
    const int warm = follower.spoken();
    QCOMPARE(warm, int(text.indexOf("warm")));
    utter(follower, "the weather today"); // said again
    QCOMPARE(follower.spoken(), warm);
}

void TestVoiceFollow::wordsWithDigitsMatchAnyWord()
{
    VoiceFollower follower;
    follower.setScript(script(words("in 1999 prices rose")));
    utter(follower, "in nineteen ninety nine prices rose");
    QCOMPARE(follower.spoken(), 3);
}

void TestVoiceFollow::steeringClosesInWithoutOvershoot()
{
    const double line = 40;
    // At the line or past it: still.
    QCOMPARE(VoiceFollower::rate(120, 100, line), 0.0);
    QCOMPARE(VoiceFollower::rate(500, 100, line), 0.0);
    // Far: fast but bounded; near: slow but never stalled short of it.
    QCOMPARE(VoiceFollower::rate(0, 100000, line), VoiceFollower::fastest);
    QCOMPARE(VoiceFollower::rate(117, 100, line), VoiceFollower::slowest);
    // A simulated page at 60 frames a second reaches the line and stops there.
    double reading = 0;
    int frames = 0;
    for (; frames < 600; ++frames) {
        const double rate = VoiceFollower::rate(reading, 400, line);
        if (rate == 0)
            break;
        reading += rate / 60;
    }
    QVERIFY(frames < 90);
    QVERIFY(reading >= 419 && reading <= 421 + VoiceFollower::slowest / 60);
}

void TestVoiceFollow::engineSpeedForARate()
{
    QCOMPARE(VoiceFollower::enginespeed(0, 1), 0);
    QCOMPARE(VoiceFollower::enginespeed(-5, 1), 0);
    QCOMPARE(VoiceFollower::enginespeed(100, 1), 291);  // 1 px every 10 ms
    QCOMPARE(VoiceFollower::enginespeed(100, 5), 251);  // 5 px every 50 ms
    QCOMPARE(VoiceFollower::enginespeed(1, 1), 1);      // slower than the slowest still moves
    QCOMPARE(VoiceFollower::enginespeed(5000, 1), 300); // faster than the fastest
}

VANTELL_CORE_TEST_MAIN(TestVoiceFollow)
#include "test_voicefollow.moc"

#pragma once

#include <QList>
#include <QStringList>

#include "core/voice/scriptwords.h"

// What voice following is doing: waiting for the first words it can place, following the
// speaker through the script, or lost (what it hears is not where it looked; it looks wider).
enum class VoiceState { Listening, Following, Lost };

// Turns what the recogniser hears into where the speaker is in the script, and that into how fast
// the page should move. It never puts the page past the last word it placed (never ahead of the
// speaker), so in silence and while the speaker says what the script does not hold it holds still.
// It needs no clock and no window: the recogniser's hypotheses come in, a word and a rate go out.
class VoiceFollower {
public:
    static constexpr int heardWords = 6;  // the stretch of the newest heard words matched
    static constexpr int behind = 3;      // the window reaches this far back while following
    static constexpr int ahead = 40;      // and this far ahead
    static constexpr int lostBehind = 60; // the wider window when lost
    static constexpr int lostAhead = 400;
    static constexpr int searchAfter = 3; // heard words without a place until the wider window is searched
    static constexpr int lostAfter = 6;   // heard words without a place until lost
    // How good a match (see WordMatcher) places the speaker: close ahead, further on, and when lost
    // (with this many words matched).
    static constexpr double followScore = 1.5;
    static constexpr int close = 5; // words ahead that count as close
    static constexpr double farScore = 2.5;
    static constexpr int recoverMatches = 3;
    // Spoken words a heard word may stand for: a recogniser runs words together ("that" for "at
    // the"), or misses them.
    static constexpr int spokenPerHeard = 2;
    // Words a doubtful place may be placed further on, beyond those heard since it was found.
    static constexpr int candidateSlack = 2;
    static constexpr double gain = 6.0;      // per second: how fast the page closes on the target
    static constexpr double slowest = 60.0;  // px/s: the last pixels are closed at once, not crept
    static constexpr double fastest = 900.0; // px/s: a long way (a skipped paragraph) is no jump

    // A new script: the speaker starts at its first word.
    void setScript(const QList<ScriptWord> &words);
    // The word at the reading line: where the speaker is taken to be (the page was moved).
    void setPlace(int word);

    // The recogniser's newest hypothesis for the utterance under way: every word so far. Its words
    // count once the next hypothesis confirms them: a recogniser's newest words are often
    // changed a moment later.
    void heard(const QStringList &utterance);
    // The utterance ended: its last hypothesis counts, and the next starts a new one.
    void utteranceEnded();

    VoiceState state() const { return m_state; }
    // The last script word placed, -1 before any.
    int spoken() const { return m_spoken; }
    // The top of the word the page should bring to the reading line, -1 before any.
    int targetTop() const;
    const QList<ScriptWord> &words() const { return m_words; }

    // The page's rate (px/s, toward the script's end) that brings a target line at `targetTop` to
    // the reading line at `readingY`, of lines `lineHeight` high: in proportion to the distance,
    // and 0 once it is there or past it.
    static double rate(double readingY, double targetTop, double lineHeight);
    // The engine's speed (see PromptEngine: a tick of `coarse` px every 301 - speed ms) nearest to
    // `rate` px/s, 0 for a page that stands, the fastest when `rate` is beyond it.
    static int enginespeed(double rate, int coarse);

private:
    void place(const QStringList &words);

    QList<ScriptWord> m_words;
    QStringList m_hypothesis; // the utterance's last hypothesis
    QStringList m_previous;   // the newest words of the utterances before it
    QStringList m_spokenForms;
    int m_place = 0;
    int m_spoken = -1;
    QStringList m_counted;    // the words of the utterance under way already matched
    int m_unplaced = 0;       // heard words since the last one placed
    int m_candidate = -1;     // a doubtful place found, waiting for the next words to go on from it
    int m_candidateHeard = 0; // words heard since
    VoiceState m_state = VoiceState::Listening;
};

#include "core/voice/voicefollower.h"

#include <algorithm>
#include <cmath>

#include "core/voice/wordmatcher.h"

namespace {

// A word with digits is read as the speaker likes ("1999": "nineteen ninety-nine"); any word
// heard will do for it.
QString matchform(const QString &word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); }) ? QStringLiteral("*")
                                                                                      : word;
}

// The newest words heard: what is matched against the script.
QStringList newestheard(const QStringList &heard)
{
    return heard.mid(qMax<qsizetype>(0, heard.size() - VoiceFollower::heardWords));
}

} // namespace

void VoiceFollower::setScript(const QList<ScriptWord> &words)
{
    m_words = words;
    m_spokenForms.clear();
    for (const ScriptWord &word : words)
        m_spokenForms.append(matchform(word.word));
    setPlace(0);
}

void VoiceFollower::setPlace(int word)
{
    m_place = qBound(0, word, qMax(0, int(m_words.size()) - 1));
    m_spoken = -1;
    m_unplaced = 0;
    m_candidate = -1;
    m_previous.clear();
    m_state = VoiceState::Listening;
}

void VoiceFollower::heard(const QStringList &utterance)
{
    QStringList words;
    for (const QString &word : utterance)
        if (!word.startsWith(QLatin1Char('<')) && !word.startsWith(QLatin1Char('[')))
            words.append(word.toLower());
    qsizetype stable = 0;
    while (stable < words.size() && stable < m_hypothesis.size() &&
           words.at(stable) == m_hypothesis.at(stable))
        ++stable;
    m_hypothesis = words;
    place(words.first(stable));
}

void VoiceFollower::utteranceEnded()
{
    place(m_hypothesis);
    m_previous = newestheard(m_previous + m_hypothesis);
    m_hypothesis.clear();
    m_counted.clear();
}

void VoiceFollower::place(const QStringList &words)
{
    // Nothing new: the words, or fewer of them, were matched already. A recogniser also changes
    // its mind about words it had settled on ("new news at" becomes "new new exhibition"): the
    // changed words are matched again even when there are no more of them.
    if (m_counted.size() >= words.size() && m_counted.first(words.size()) == words)
        return;
    const int newWords = int(qMax<qsizetype>(0, words.size() - m_counted.size()));
    m_unplaced += newWords;
    m_counted = words;
    // The stretch reaches back into the utterance before: a pause between sentences is no reason
    // to place the first words of the next on their own.
    const QStringList stretch = newestheard(m_previous + words);
    const int from = m_spoken >= 0 ? m_spoken : m_place;
    // A doubtful place (see below) is taken once the next words heard go on from it; words that
    // do not, heard for as long as the stretch matched, leave it.
    if (m_candidate >= 0)
        m_candidateHeard += newWords;
    if (m_candidateHeard > heardWords)
        m_candidate = -1;
    const auto goesOn = [this](const WordMatch &match) {
        return m_candidate >= 0 && match.end > m_candidate &&
               match.end - m_candidate <= m_candidateHeard + candidateSlack;
    };
    // A few common words in a row match somewhere by chance when the recogniser knows only the
    // script's words: further than close ahead takes more, and a place found in the wider window
    // more again. While following, the speaker only goes on: a phrase said again leaves the page.
    // The words up to the last place carry a match through a miss or two; a place that the words
    // after it take away from ("that a new" after "closer together", for "in other news") is none.
    const int placedBefore = m_state == VoiceState::Lost ? -1 : m_spoken;
    const WordMatch near =
        WordMatcher::match(stretch, m_spokenForms, from - behind, from + ahead, placedBefore);
    const int onward = near.end - from;
    const bool closeAhead = m_state != VoiceState::Lost && onward <= close;
    bool placed =
        near.end > m_spoken && near.gained > 0 && near.score >= (closeAhead ? followScore : farScore);
    // A place further on than the words heard since the last could have taken the speaker is as
    // doubtful as one in the wider window: noise heard as "the two halves" would take the page
    // half a paragraph ahead. So is a place further on before the first: the speaker starts at
    // the reading line.
    const bool beyondHeard = onward > close && onward > spokenPerHeard * m_unplaced;
    bool doubtful = placed && (beyondHeard || (m_spoken < 0 && !closeAhead));
    WordMatch found = near;
    if (!placed && m_unplaced >= searchAfter) {
        found = WordMatcher::match(stretch, m_spokenForms, from - lostBehind, from + lostAhead, placedBefore);
        placed = found.end >= 0 && found.gained > 0 && found.matched >= recoverMatches &&
                 found.score >= farScore && (m_state == VoiceState::Lost || found.end > m_spoken);
        doubtful = placed;
    }
    // A doubtful place waits: a recogniser that knows only the script's words turns noise into
    // short phrases of it, anywhere, but seldom into the words that go on from them.
    if (doubtful && !goesOn(found)) {
        m_candidate = found.end;
        m_candidateHeard = 0;
        placed = false;
    }
    if (placed) {
        m_spoken = found.end;
        m_unplaced = 0;
        m_candidate = -1;
        m_state = VoiceState::Following;
    } else if (m_unplaced >= lostAfter) {
        m_state = VoiceState::Lost;
    }
}

int VoiceFollower::targetTop() const
{
    return m_spoken >= 0 ? m_words.at(m_spoken).top : -1;
}

double VoiceFollower::rate(double readingY, double targetTop, double lineHeight)
{
    const double distance = targetTop + lineHeight / 2 - readingY;
    if (distance <= 1.0)
        return 0;
    return std::clamp(distance * gain, slowest, fastest);
}

int VoiceFollower::enginespeed(double rate, int coarse)
{
    if (rate <= 0)
        return 0;
    return qBound(1, int(std::lround(301 - coarse * 1000.0 / rate)), 300);
}

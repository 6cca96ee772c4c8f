#include "voice/voicefollower.h"

#include <algorithm>

#include "voice/wordmatcher.h"

namespace {

// A word with digits is read as the speaker likes ("1999": "nineteen ninety-nine"); any word
// heard will do for it.
QString matchform(const QString &word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); }) ? QStringLiteral("*")
                                                                                      : word;
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
    m_state = VoiceState::Listening;
}

void VoiceFollower::heard(const QStringList &utterance)
{
    QStringList words;
    for (const QString &word : utterance)
        if (!word.startsWith(QLatin1Char('<')) && !word.startsWith(QLatin1Char('[')))
            words.append(word.toLower());
    if (words.size() > m_utteranceWords) {
        m_unplaced += int(words.size()) - m_utteranceWords;
        m_utteranceWords = int(words.size());
    }
    if (words.isEmpty())
        return;
    const QStringList stretch = words.mid(qMax<qsizetype>(0, words.size() - heardWords));
    const int from = m_spoken >= 0 ? m_spoken : m_place;
    const bool lost = m_state == VoiceState::Lost;
    const WordMatch found =
        lost ? WordMatcher::match(stretch, m_spokenForms, from - lostBehind, from + lostAhead)
             : WordMatcher::match(stretch, m_spokenForms, from - behind, from + ahead);
    // Two words in a row are often enough by chance when the recogniser knows only the script's
    // words: further than close ahead (a skip) takes more.
    const int needed = lost ? recoverMatches : found.end - from <= close ? followMatches : farMatches;
    // While following, the speaker only goes on: a phrase said again leaves the page where it is.
    const bool placed = found.end >= 0 && found.matched >= needed && (lost ? true : found.end > m_spoken);
    if (placed) {
        m_spoken = found.end;
        m_unplaced = 0;
        m_state = VoiceState::Following;
    } else if (m_unplaced >= lostAfter) {
        m_state = VoiceState::Lost;
    }
}

void VoiceFollower::utteranceEnded()
{
    m_utteranceWords = 0;
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

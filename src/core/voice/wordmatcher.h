#pragma once

#include <QStringList>

// Where a stretch of heard words stands in the script.
struct WordMatch {
    int end = -1;      // the script word the last matched heard word stands for; -1: none
    int matched = 0;   // heard words that matched a script word (exactly or nearly)
    double score = 0;  // the alignment's score: each match adds, each miss and gap takes away
    double gained = 0; // what the words past the one already placed (see match) added to the score
};

// Finds a stretch of recognised words in a window of the script, word by word and forgiving: a
// word heard wrong or left out, or one said that the script does not hold, costs a little but
// does not break the match; a word heard twice in a row costs nothing the second time. Words are
// in their spoken form (see spokenform); a script word "*" stands for one the recogniser cannot
// know and matches any heard word weakly.
class WordMatcher {
public:
    static constexpr double exact = 1.0;
    static constexpr double common = 0.5; // an exact match of a word every sentence has ("the", "to")
    static constexpr double near = 0.6;
    static constexpr double wildcard = 0.3;
    static constexpr double miss = -0.6;
    static constexpr double gap = -0.5;

    // The best local alignment of `heard` against `script[from, to)` that ends at one of the last
    // two heard words (where the speaker is now). Its `gained` is what it scored past the script
    // word `placed`, where the speaker was placed before: the words up to there can carry a match
    // through a few misses.
    static WordMatch match(const QStringList &heard, const QStringList &script, int from, int to,
                           int placed = -1);

    // How alike two words are: exact (less for the commonest words, which match by chance), near
    // (a few letters apart, as recognisers confuse them), or a miss.
    static double similarity(const QString &heard, const QString &scripted);
};

#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// What the recogniser may hear, made from the script: a pronouncing dictionary of the script's
// words and a language model in which the script's word pairs are likely. Knowing the text is what
// makes a small recogniser accurate enough to follow. Words the model's dictionary lacks get a
// pronunciation by rule.
class VoiceVocabulary {
public:
    // Reads the pronunciations of `words` (spoken forms, see spokenform) from the pronouncing
    // dictionary at `dictionaryPath` ("word PH ON ES" lines, variants as "word(2)"); the others get
    // one by rule. False with `error` set when the dictionary cannot be read.
    bool build(const QStringList &words, const QString &dictionaryPath, QString *error);

    // The dictionary for the recogniser, one "word PHONES" line a pronunciation.
    QByteArray dictionary() const;
    // The language model in ARPA form: every script word, and each pair of words that follow each
    // other in the script made likely.
    QByteArray languageModel() const;
    // The words that got their pronunciation by rule.
    QStringList guessed() const;

    // A pronunciation of `word` by spelling rules (English), in the dictionary's phones.
    static QString pronounce(const QString &word);
    // Whether the recogniser, which knows English only, can hear any of `words` (spoken forms):
    // a script in another language gives it nothing to listen for.
    static bool holdsEnglish(const QStringList &words);

private:
    QStringList m_sequence;                   // the script's words in order, as the model pairs them
    QHash<QString, QStringList> m_pronounced; // each word and its pronunciations
    QSet<QString> m_guessed;
};

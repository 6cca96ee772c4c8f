#include "core/voice/voicevocabulary.h"

#include <algorithm>
#include <cmath>

#include <QFile>
#include <QMap>

#include "core/platform/translation.h"
#include "stringtable.h"

namespace {

// Spellings and their sounds, the longest first where one starts another.
struct Spelling {
    const char *letters;
    const char *phones;
};

const Spelling spellings[] = {
    {"tion", "SH AH N"}, {"sion", "ZH AH N"}, {"ough", "AO"}, {"igh", "AY"}, {"tch", "CH"}, {"sch", "S K"},
    {"ch", "CH"},        {"sh", "SH"},        {"th", "TH"},   {"ph", "F"},   {"wh", "W"},   {"kn", "N"},
    {"wr", "R"},         {"ck", "K"},         {"ng", "NG"},   {"qu", "K W"}, {"gh", "G"},   {"ee", "IY"},
    {"ea", "IY"},        {"ie", "IY"},        {"oo", "UW"},   {"ou", "AW"},  {"ow", "OW"},  {"oa", "OW"},
    {"ai", "EY"},        {"ay", "EY"},        {"ey", "EY"},   {"oi", "OY"},  {"oy", "OY"},  {"au", "AO"},
    {"aw", "AO"},        {"ew", "UW"},        {"er", "ER"},   {"ir", "ER"},  {"ur", "ER"},  {"ar", "AA R"},
    {"or", "AO R"},      {"a", "AE"},         {"b", "B"},     {"c", "K"},    {"d", "D"},    {"e", "EH"},
    {"f", "F"},          {"g", "G"},          {"h", "HH"},    {"i", "IH"},   {"j", "JH"},   {"k", "K"},
    {"l", "L"},          {"m", "M"},          {"n", "N"},     {"o", "AA"},   {"p", "P"},    {"q", "K"},
    {"r", "R"},          {"s", "S"},          {"t", "T"},     {"u", "AH"},   {"v", "V"},    {"w", "W"},
    {"x", "K S"},        {"y", "IY"},         {"z", "Z"},
};

bool isvowel(QChar c)
{
    return QStringLiteral("aeiouy").contains(c);
}

QByteArray number(double value)
{
    return QByteArray::number(value, 'f', 4);
}

// A word with digits is said in words the script does not hold: the follower takes any word for
// it, the recogniser need not know it.
bool hasDigits(const QString &word)
{
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

QString VoiceVocabulary::pronounce(const QString &word)
{
    QString letters;
    for (const QChar c : word.toLower())
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z') && (letters.isEmpty() || letters.back() != c))
            letters += c; // a doubled letter sounds once
    // A final "e" after a consonant is silent ("make"), unless it is the only vowel ("he").
    if (letters.size() > 2 && letters.endsWith(QLatin1Char('e')) && !isvowel(letters.at(letters.size() - 2)))
        letters.chop(1);
    QStringList phones;
    for (qsizetype at = 0; at < letters.size();) {
        for (const Spelling &spelling : spellings) {
            const QLatin1String spelled(spelling.letters);
            if (QStringView(letters).mid(at).startsWith(spelled)) {
                // "y" before a vowel at a word's start is a consonant ("yes").
                const bool consonantY = spelled == QLatin1String("y") && at == 0 && letters.size() > 1;
                phones.append(consonantY ? QStringLiteral("Y") : QString::fromLatin1(spelling.phones));
                at += spelled.size();
                break;
            }
        }
    }
    return phones.join(QLatin1Char(' '));
}

bool VoiceVocabulary::holdsEnglish(const QStringList &words)
{
    // Every word of the English dictionary is spelt in English letters, so a word the spelling
    // rules cannot say is none the recogniser knows.
    return std::any_of(words.begin(), words.end(),
                       [](const QString &word) { return !hasDigits(word) && !pronounce(word).isEmpty(); });
}

bool VoiceVocabulary::build(const QStringList &words, const QString &dictionaryPath, QString *error)
{
    m_sequence.clear();
    m_pronounced.clear();
    m_guessed.clear();
    QSet<QString> wanted;
    for (const QString &word : words)
        wanted.insert(word);
    QFile file(dictionaryPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = i18n(str::VoiceNoDictionary).arg(dictionaryPath, file.errorString());
        return false;
    }
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const qsizetype space = line.indexOf(QLatin1Char(' '));
        if (space <= 0)
            continue;
        QString entry = line.left(space);
        if (entry.endsWith(QLatin1Char(')')) && entry.contains(QLatin1Char('(')))
            entry.truncate(entry.indexOf(QLatin1Char('(')));
        if (wanted.contains(entry))
            m_pronounced[entry].append(line.mid(space + 1).trimmed());
    }
    for (const QString &word : words) {
        if (hasDigits(word))
            continue;
        if (!m_pronounced.contains(word)) {
            const QString guess = pronounce(word);
            if (guess.isEmpty())
                continue;
            m_pronounced.insert(word, {guess});
            m_guessed.insert(word);
        }
        m_sequence.append(word);
    }
    return true;
}

QByteArray VoiceVocabulary::dictionary() const
{
    QMap<QString, QStringList> sorted;
    for (auto entry = m_pronounced.cbegin(); entry != m_pronounced.cend(); ++entry)
        sorted.insert(entry.key(), entry.value());
    QByteArray text;
    for (auto entry = sorted.cbegin(); entry != sorted.cend(); ++entry) {
        for (qsizetype variant = 0; variant < entry.value().size(); ++variant) {
            text += entry.key().toUtf8();
            if (variant > 0)
                text += '(' + QByteArray::number(variant + 1) + ')';
            text += ' ' + entry.value().at(variant).toUtf8() + '\n';
        }
    }
    return text;
}

QByteArray VoiceVocabulary::languageModel() const
{
    // Every word equally likely on its own; after a word, the words that follow it in the script
    // take most of the chance, the rest is left to any word (a misread, an ad-lib).
    QMap<QString, QSet<QString>> next;
    QString previous = QStringLiteral("<s>");
    next[previous];
    for (const QString &word : m_sequence) {
        next[previous].insert(word);
        next[word];
        previous = word;
    }
    next[previous].insert(QStringLiteral("</s>"));
    constexpr double followed = 0.7;
    const double unigram = std::log10(1.0 / double(next.size()));
    const double backoff = std::log10(1.0 - followed);
    qsizetype pairs = 0;
    for (const QSet<QString> &after : next)
        pairs += after.size();
    QByteArray text = "\\data\\\nngram 1=" + QByteArray::number(next.size() + 1) +
                      "\nngram 2=" + QByteArray::number(pairs) + "\n\n\\1-grams:\n";
    text += number(unigram) + " </s> 0\n";
    for (auto word = next.cbegin(); word != next.cend(); ++word) {
        const bool start = word.key() == QLatin1String("<s>");
        text += (start ? QByteArray("-99") : number(unigram)) + ' ' + word.key().toUtf8() + ' ' +
                number(backoff) + '\n';
    }
    text += "\n\\2-grams:\n";
    for (auto word = next.cbegin(); word != next.cend(); ++word) {
        QStringList after(word.value().begin(), word.value().end());
        after.sort();
        const double chance = std::log10(followed / double(after.size()));
        for (const QString &follower : after)
            text += number(chance) + ' ' + word.key().toUtf8() + ' ' + follower.toUtf8() + '\n';
    }
    text += "\n\\end\\\n";
    return text;
}

QStringList VoiceVocabulary::guessed() const
{
    QStringList words(m_guessed.begin(), m_guessed.end());
    words.sort();
    return words;
}

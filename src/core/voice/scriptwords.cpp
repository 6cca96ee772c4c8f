#include "core/voice/scriptwords.h"

#include <QRegularExpression>

#include "core/engine/scriptmarkers.h"
#include "core/rundown/storybanner.h"

QString spokenform(const QString &text)
{
    QString word;
    word.reserve(text.size());
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            word += c.toLower();
        else if (c == QLatin1Char('\'') || c == QChar(0x2019))
            word += QLatin1Char('\'');
    }
    // An apostrophe only counts inside a word: quotes around it are no part of it.
    while (word.startsWith(QLatin1Char('\'')))
        word.remove(0, 1);
    while (word.endsWith(QLatin1Char('\'')))
        word.chop(1);
    return word;
}

namespace {

// A cue closes within this many words; a "[" with no "]" that near is text.
constexpr int longestCue = 40;

bool closes(const QList<PageWord> &page, qsizetype token, qsizetype from)
{
    for (qsizetype t = token; t < page.size() && t <= token + longestCue; ++t)
        if (page.at(t).text.indexOf(QLatin1Char(']'), t == token ? from : 0) >= 0)
            return true;
    return false;
}

} // namespace

QList<ScriptWord> scriptwords(const QList<PageWord> &page)
{
    QList<ScriptWord> words;
    bool inCue = false;
    for (qsizetype t = 0; t < page.size(); ++t) {
        // A token may open and close a cue and hold spoken text on either side: "word[Cue]word".
        const QString &text = page.at(t).text;
        QString spoken;
        for (qsizetype at = 0; at < text.size(); ++at) {
            const QChar c = text.at(at);
            if (!inCue && c == QLatin1Char('[') && closes(page, t, at)) {
                inCue = true;
                spoken += QLatin1Char(' ');
            } else if (inCue && c == QLatin1Char(']')) {
                inCue = false;
                spoken += QLatin1Char(' ');
            } else if (!inCue) {
                // Joined words are said one by one: "well-known", "either/or".
                const bool joins =
                    c == QLatin1Char('-') || c == QLatin1Char('/') || c.category() == QChar::Punctuation_Dash;
                spoken += joins ? QLatin1Char(' ') : c;
            }
        }
        for (const QString &part : spoken.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString word = spokenform(part);
            if (!word.isEmpty())
                words.append({word, page.at(t).top});
        }
    }
    return words;
}

QList<ScriptWord> scriptwords(const QStringList &scriptlines)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QList<PageWord> page;
    for (int line = 0; line < scriptlines.size(); ++line) {
        if (isbannerline(scriptlines.at(line)))
            continue;
        const QString text = linetext(scriptlines.at(line)).trimmed();
        if (text.startsWith(QLatin1String("##")))
            continue;
        for (const QString &token : text.split(space, Qt::SkipEmptyParts))
            page.append({token, line});
    }
    return scriptwords(page);
}

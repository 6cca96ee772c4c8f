#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A word of the page as it shows it (a run of text between spaces) and the top of its line, in page
// pixels.
struct PageWord {
    QString text;
    int top = 0;
};

// The page's words as the page measures them, with the height of a line of its text and of its view.
struct PageText {
    QList<PageWord> words;
    double lineHeight = 0;
    int viewHeight = 0;
};

// A word the speaker is expected to say: its spoken form (lower case, letters, digits and inner
// apostrophes only) and where it stands (the page's pixels, or the script's line).
struct ScriptWord {
    QString word;
    int top = 0;
    bool operator==(const ScriptWord &other) const = default;
};

// The spoken form of `text`: "Hello," -> "hello", "don't" -> "don't", "--" -> "".
QString spokenform(const QString &text);

// The words of the page that are read aloud, in order: bracketed cues ("[Cue: lights]", also
// spread over several words) are not spoken, words joined by dashes or slashes are said one by one,
// and runs without letters or digits are no words.
QList<ScriptWord> scriptwords(const QList<PageWord> &page);

// The same from a script's lines (HTML or plain text), each word placed at its line's index; marker
// lines ("## name") and the banners between a continuous page's stories are not spoken either.
QList<ScriptWord> scriptwords(const QStringList &scriptlines);

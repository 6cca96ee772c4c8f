#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

#include "core/render/page.h"

// One script of the queue, or one story of the newsroom's running order, as a part of the
// continuous page.
struct RundownEntry {
    int key = 0;       // the story's lasting key: the page finds the story by it through every change
    QString number;    // the number the show gives it; empty: its place among the stories shown
    QString name;      // its file's or its slug
    QStringList lines; // its script lines
    ScriptText text = ScriptText::Markup;
    bool floated = false;  // left out of the show, and so of the page
    bool textKnown = true; // false: a story whose text has not come yet (no reading time)
    QString note;          // said on its banner after its name ("dropped by the newsroom")

    bool operator==(const RundownEntry &) const = default;
};

// Where a story stands among the continuous script's lines.
struct StorySpan {
    int entry = 0; // its index among the entries
    int key = 0;
    QString number; // as its banner shows it
    QString name;
    int firstLine = 0; // its first script line: its banner's
    int lineCount = 0; // its banner, its text and the line that closes it
    int words = 0;     // the words read aloud

    bool operator==(const StorySpan &) const = default;
};

struct ContinuousScript {
    QStringList lines;        // markup (plain scripts escaped as a single one would be)
    QList<StorySpan> stories; // in the show's order, floated stories left out
};

// The script lines of one story on the continuous page: its banner (number, name and reading time
// at `wordsPerMinute`) opening the element that holds the story, its text as markup, and a line that
// closes what its text left open and the element. `words` gets the words read aloud.
QStringList storyscriptlines(const RundownEntry &entry, const QString &number,
                             const QStringList &specialtable, int wordsPerMinute, int &words);

// A story's first script line: its banner (number, name and the reading time of its `words`),
// opening the element that holds the story.
QString storyopeningline(const RundownEntry &entry, const QString &number, int words, int wordsPerMinute);

// Makes a story's script lines from its entry and the number its banner shows, and sets its words.
using StoryLinesMaker =
    std::function<QStringList(const RundownEntry &entry, const QString &number, int &words)>;

// The stories of `entries` in order, each as `make` makes its lines; floated stories, and a story
// whose key has come before, left out.
ContinuousScript assemblestories(const QList<RundownEntry> &entries, const StoryLinesMaker &make);

// The whole show as one script, story after story in the order of `entries`, floated ones left
// out. Rich, imported and plain scripts keep their look: plain text is escaped as the page escapes a
// single plain script (the special-character table's page forms kept), markup is taken as it is.
ContinuousScript assemblecontinuous(const QList<RundownEntry> &entries, const QStringList &specialtable,
                                    int wordsPerMinute);

// The number a story shows: the show's own, or its place among the stories shown (from 1).
QString storynumber(const RundownEntry &entry, int place);
